#pragma once
// A simulated player that logs in, reports its MAC and stays until the test ends it (600 s),
// answering operator commands meanwhile; no ALIVE, so nothing but the test makes traffic.

#include "SimPlayer.h"

#include <memory>

namespace lumtest {

inline lum::sim::SimPlayerConfig stayingPlayerConfig(quint16 port, const QString& name, const QString& mac) {
    lum::sim::SimPlayerConfig c;
    c.port = port;
    c.user = name;
    c.mac = mac;
    c.aliveMs = 0;
    lum::sim::SimStep stay;
    stay.kind = lum::sim::SimStep::Kind::Stay;
    stay.seconds = 600;  // ended by the test
    c.steps.push_back(stay);
    return c;
}

}  // namespace lumtest
