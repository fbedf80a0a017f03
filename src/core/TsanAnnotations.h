#pragma once
// Hand-offs that ThreadSanitizer cannot see. The distribution's Qt is not built with it, so the
// ordering its event queue and mutexes give (a queued call runs after everything its poster did
// before posting it; a blocking queued call returns after the call ran) is invisible, and every
// value handed over that way, the call's own captures included, reads as a race.
// Post calls wrapped in handOff(): that restores the ordering. One address serves all hand-offs
// (a call cannot name one of its own before reading its captures). Outside a ThreadSanitizer
// build it is the call itself. A caller that must wait for the call waits on something of its
// own (std::future), not on a blocking queued connection: Qt reads the caller's stack after the
// call returns, out of reach of any annotation.

#if defined(__SANITIZE_THREAD__)
#define LUM_TSAN_ENABLED 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define LUM_TSAN_ENABLED 1
#endif
#endif

#include <QObject>

#include <utility>

#ifdef LUM_TSAN_ENABLED
extern "C" void __tsan_acquire(void* addr);
extern "C" void __tsan_release(void* addr);
namespace lum {
inline char tsanHandOff;
}
#define LUM_TSAN_RELEASE() __tsan_release(&::lum::tsanHandOff)
#define LUM_TSAN_ACQUIRE() __tsan_acquire(&::lum::tsanHandOff)
#else
#define LUM_TSAN_RELEASE() static_cast<void>(0)
#define LUM_TSAN_ACQUIRE() static_cast<void>(0)
#endif

namespace lum {

// A call handed to another thread (QMetaObject::invokeMethod with a queued or blocking queued
// connection): releases each time it is moved into place, so the copy Qt keeps is covered, and
// acquires before it runs.
template <typename F>
class HandedCall {
public:
    explicit HandedCall(F f) : f_(std::move(f)) { LUM_TSAN_RELEASE(); }
    HandedCall(HandedCall&& other) : f_(std::move(other.f_)) { LUM_TSAN_RELEASE(); }
    HandedCall(const HandedCall& other) : f_(other.f_) { LUM_TSAN_RELEASE(); }
    HandedCall& operator=(const HandedCall&) = delete;
    HandedCall& operator=(HandedCall&&) = delete;
    ~HandedCall() = default;
    decltype(auto) operator()() {
        LUM_TSAN_ACQUIRE();
        return f_();
    }

private:
    F f_;
};

template <typename F>
HandedCall<F> handOff(F f) {
    return HandedCall<F>(std::move(f));
}

// QThread::wait() orders everything the thread did before what follows the wait, again out of
// the sanitizer's sight. Call once before the thread first starts; after each wait(),
// LUM_TSAN_ACQUIRE().
template <typename Thread>
void releaseWhenFinished([[maybe_unused]] Thread& thread) {
#ifdef LUM_TSAN_ENABLED
    // Direct: runs on the finishing thread itself, after the last of its work.
    QObject::connect(&thread, &Thread::finished, [] { LUM_TSAN_RELEASE(); });
#endif
}

}  // namespace lum
