// The event record as the stream carries it: JSON fields and the one-line text form.
#include "monitor/FleetEvent.h"

#include "common/TestSupport.h"

#include <gtest/gtest.h>

using namespace lum;

TEST(FleetEvent, JsonCarriesEveryFieldAndTheTextFormIsOneLineOfSixCells) {
    const FleetEvent e{QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9, 10)), FleetEventKind::BackOnline,
                       "lobby\t1", "Lob\nby", "00-11-22-33-44-55", QString::fromUtf8("a\r\nb\u2028c\x01")};
    const QJsonObject j = fleetEventJson(e);
    EXPECT_EQ(j["time"].toString(), "2024-05-06T07:08:09.010");
    EXPECT_EQ(j["event"].toString(), "back-online");
    EXPECT_EQ(j["player"].toString(), "lobby\t1");  // JSON keeps the text as it is
    EXPECT_EQ(j["text"].toString(), QString::fromUtf8("a\r\nb\u2028c\x01"));

    const QString line = fleetEventLine(j);
    EXPECT_FALSE(line.contains('\n') || line.contains('\r') || line.contains(QChar(0x2028)));
    EXPECT_EQ(line.split('\t'), (QStringList{"2024-05-06T07:08:09.010", "back-online", "lobby 1",
                                             "Lob by", "00-11-22-33-44-55", "a  b c "}));
}

TEST(FleetEvent, EveryKindHasItsOwnName) {
    QStringList names;
    for (FleetEventKind k : {FleetEventKind::Login, FleetEventKind::Logout, FleetEventKind::Status,
                             FleetEventKind::Report, FleetEventKind::Alert, FleetEventKind::BackOnline,
                             FleetEventKind::Command})
        names << fleetEventName(k);
    EXPECT_EQ(names, (QStringList{"login", "logout", "status", "report", "alert", "back-online", "command"}));
}
