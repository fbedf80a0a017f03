#pragma once
// What every fuzz target shares: a Qt application object, a scratch folder on which targets that
// read files write their input, and quiet Qt messages (the fuzzer's own output stays readable).

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace lumfuzz {

// Creates the QCoreApplication once (Qt's file, socket and codec classes want one).
void ensureApp();
// A private folder that lives as long as the process.
const QString& scratch();
// Writes `bytes` to scratch()/name and returns the path.
QString writeScratch(const QString& name, const QByteArray& bytes);
QByteArray bytesOf(const uint8_t* data, size_t size);
// Runs the process in a network namespace of its own with only loopback up, so that data
// connections and datagrams a target is driven to make never reach another program's ports.
// False (and nothing changed) when the system does not allow it.
bool isolateNetwork();

// Equal bytes, or both shown on stderr (for a round-trip property that breaks).
bool sameBytes(const QByteArray& a, const QByteArray& b);

// Consumes the input front to back: small choices first, the rest as bytes.
class Input {
public:
    Input(const uint8_t* data, size_t size) : p_(data), left_(size) {}
    uint8_t byte() {
        if (!left_) return 0;
        --left_;
        return *p_++;
    }
    bool flag() { return byte() & 1; }
    // The bytes up to the next '\n' (not included), or the rest.
    QByteArray line();
    QByteArray rest() {
        QByteArray r(reinterpret_cast<const char*>(p_), qsizetype(left_));
        p_ += left_;
        left_ = 0;
        return r;
    }
    bool empty() const { return left_ == 0; }

private:
    const uint8_t* p_;
    size_t left_;
};

}  // namespace lumfuzz

// A property every input must keep; a broken one is a finding like a crash.
#define LUM_FUZZ_CHECK(cond)                                                          \
    do {                                                                              \
        if (!(cond)) {                                                                \
            fprintf(stderr, "property broken: %s (%s:%d)\n", #cond, __FILE__, __LINE__); \
            abort();                                                                  \
        }                                                                             \
    } while (0)
