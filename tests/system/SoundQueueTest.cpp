// The sound queue: asynchronous sounds leave the caller at once and are
// played in order on the queue's thread; every other request is played by
// the caller after what was queued before it.
#include <gtest/gtest.h>

#include <windows.h>

#include <mmsystem.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "framework/system/SoundQueue.h"

namespace {

struct TPlayed {
    std::string Sound; // "(none)" for a null name
    DWORD Flags;
    std::thread::id Thread;
};

// A sound given by number is recorded as "#n", never read as text.
std::string Describe(const char* sound) {
    if (!sound)
        return "(none)";
    const auto value = reinterpret_cast<uintptr_t>(sound);
    return value >> 16 ? std::string(sound) : "#" + std::to_string(value);
}

// Records every call; while held, a call blocks until released.
class TRecorder {
public:
    BOOL Play(const char* sound, HMODULE, DWORD flags) {
        std::unique_lock<std::mutex> lock(mutex_);
        played_.push_back({Describe(sound), flags, std::this_thread::get_id()});
        changed_.notify_all();
        // Bounded, so a queue that played on the caller's thread fails the
        // test instead of hanging it.
        if (!changed_.wait_for(lock, std::chrono::seconds(5), [this] { return !held_; }))
            heldTooLong_ = true;
        return flags == SND_SYNC ? 7 : TRUE; // lets a test see the caller got this result
    }
    void Hold() {
        std::lock_guard<std::mutex> lock(mutex_);
        held_ = true;
    }
    void Release() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            held_ = false;
        }
        changed_.notify_all();
    }
    // Waits (at most 10 s) until count calls were made.
    bool WaitFor(std::size_t count) {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(10),
                                 [&] { return played_.size() >= count; });
    }
    std::vector<TPlayed> Played() {
        std::lock_guard<std::mutex> lock(mutex_);
        return played_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<TPlayed> played_;
    bool held_ = false;

public:
    bool heldTooLong_ = false;
};

TSoundQueue::TPlay Into(TRecorder& recorder) {
    return [&recorder](const char* s, HMODULE m, DWORD f) { return recorder.Play(s, m, f); };
}

} // namespace

TEST(SoundQueue, AsynchronousSoundsLeaveTheCallerAtOnceAndPlayInOrderElsewhere) {
    TRecorder recorder;
    recorder.Hold(); // the first sound "plays" until released
    {
        TSoundQueue queue(Into(recorder));
        EXPECT_EQ(queue.Play("SYSTEMSTART", nullptr, SND_ASYNC), TRUE);
        ASSERT_TRUE(recorder.WaitFor(1));
        // The queue's thread is busy with the first: these return regardless.
        EXPECT_EQ(queue.Play("SYSTEMEXIT", nullptr, SND_ASYNC), TRUE);
        EXPECT_EQ(queue.Play(nullptr, nullptr, SND_ASYNC), TRUE);
        EXPECT_EQ(recorder.Played().size(), 1u);
        recorder.Release();
        ASSERT_TRUE(recorder.WaitFor(3));
    }
    EXPECT_FALSE(recorder.heldTooLong_) << "a queued sound held up its caller";
    const std::vector<TPlayed> played = recorder.Played();
    ASSERT_EQ(played.size(), 3u);
    EXPECT_EQ(played[0].Sound, "SYSTEMSTART");
    EXPECT_EQ(played[1].Sound, "SYSTEMEXIT");
    EXPECT_EQ(played[2].Sound, "(none)"); // a stop request stays a null name
    for (const TPlayed& p : played) {
        EXPECT_EQ(p.Flags, DWORD{SND_ASYNC});
        EXPECT_NE(p.Thread, std::this_thread::get_id());
        EXPECT_EQ(p.Thread, played[0].Thread); // one thread keeps the order
    }
}

TEST(SoundQueue, TheNameIsCopiedWhenTheRequestIsQueued) {
    TRecorder recorder;
    recorder.Hold();
    {
        TSoundQueue queue(Into(recorder));
        queue.Play("first", nullptr, SND_ASYNC);
        ASSERT_TRUE(recorder.WaitFor(1));
        char name[] = "SYSTEMHAND";
        queue.Play(name, nullptr, SND_ASYNC);
        name[0] = 'X'; // the caller's buffer changes before the sound is played
        recorder.Release();
        ASSERT_TRUE(recorder.WaitFor(2));
    }
    EXPECT_EQ(recorder.Played().at(1).Sound, "SYSTEMHAND");
}

TEST(SoundQueue, AWaitingSoundFollowsWhatWasQueuedAndPlaysOnTheCallersThread) {
    TRecorder recorder;
    TSoundQueue queue(Into(recorder));
    recorder.Hold();
    queue.Play("queued", nullptr, SND_ASYNC);
    ASSERT_TRUE(recorder.WaitFor(1));
    std::thread releaser([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        recorder.Release();
    });
    // Must not start before the queued sound has ended.
    const BOOL result = queue.Play("waited", nullptr, SND_SYNC);
    releaser.join();
    EXPECT_EQ(result, 7); // the caller gets the play call's own result
    const std::vector<TPlayed> played = recorder.Played();
    ASSERT_EQ(played.size(), 2u);
    EXPECT_EQ(played[1].Sound, "waited");
    EXPECT_EQ(played[1].Thread, std::this_thread::get_id());
}

TEST(SoundQueue, ASoundInTheCallersMemoryIsPlayedBeforeTheCallReturns) {
    TRecorder recorder;
    TSoundQueue queue(Into(recorder));
    const char wave[] = "RIFF....WAVE"; // gone when the caller's frame is
    queue.Play(wave, nullptr, SND_ASYNC | SND_MEMORY);
    const std::vector<TPlayed> played = recorder.Played();
    ASSERT_EQ(played.size(), 1u);
    EXPECT_EQ(played[0].Thread, std::this_thread::get_id());
    EXPECT_EQ(played[0].Flags, DWORD{SND_ASYNC | SND_MEMORY});
}

// An alias id stands where a name would: queuing it would read a number as
// text. It is played before the call returns, with the number untouched.
TEST(SoundQueue, ASoundGivenByNumberIsPlayedBeforeTheCallReturns) {
    TRecorder recorder;
    TSoundQueue queue(Into(recorder));
    const auto id = reinterpret_cast<const char*>(uintptr_t{SND_ALIAS_SYSTEMASTERISK});
    queue.Play(id, nullptr, SND_ALIAS_ID | SND_ASYNC);
    const std::vector<TPlayed> played = recorder.Played();
    ASSERT_EQ(played.size(), 1u);
    EXPECT_EQ(played[0].Sound, "#" + std::to_string(SND_ALIAS_SYSTEMASTERISK));
    EXPECT_EQ(played[0].Thread, std::this_thread::get_id());
}

TEST(SoundQueue, EndingTheQueuePlaysWhatIsStillQueued) {
    TRecorder recorder;
    recorder.Hold();
    std::thread releaser;
    {
        TSoundQueue queue(Into(recorder));
        for (const char* name : {"a", "b", "c"})
            queue.Play(name, nullptr, SND_ASYNC);
        ASSERT_TRUE(recorder.WaitFor(1));
        releaser = std::thread([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
            recorder.Release();
        });
    } // waits for b and c
    releaser.join();
    const std::vector<TPlayed> played = recorder.Played();
    ASSERT_EQ(played.size(), 3u);
    EXPECT_EQ(played[2].Sound, "c");
}
