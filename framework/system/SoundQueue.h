// TSoundQueue: hands asynchronous sounds to a thread of its own, in the order
// they were asked for, so the caller never waits for the sound library to
// load (under Wine some 5-10 ms at a program's first sound) or for a sound
// device that is slow to answer.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

class TSoundQueue {
public:
    using TPlay = std::function<BOOL(const char* sound, HMODULE module, DWORD flags)>;

    explicit TSoundQueue(TPlay play);
    // Plays what is still queued, then ends the thread.
    ~TSoundQueue();
    TSoundQueue(const TSoundQueue&) = delete;
    TSoundQueue& operator=(const TSoundQueue&) = delete;

    // An asynchronous request (SND_ASYNC) that names its sound (or none, to
    // stop) is queued and answered TRUE at once. Any other request (waiting
    // for the end of the sound, a sound held in the caller's memory, one given
    // by number) is played on the calling thread, after everything queued
    // before it.
    BOOL Play(const char* sound, HMODULE module, DWORD flags);

private:
    struct TRequest {
        bool HasSound = false;
        std::string Sound;
        HMODULE Module = nullptr;
        DWORD Flags = 0;
    };

    void Run();

    TPlay play_;
    std::mutex mutex_;
    std::condition_variable changed_; // a request queued or finished, or stop asked
    std::deque<TRequest> pending_;
    bool playing_ = false;
    bool stopping_ = false;
    std::thread worker_; // started with the first queued request
};
