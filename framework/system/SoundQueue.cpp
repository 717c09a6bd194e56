#include "framework/system/SoundQueue.h"

#include <mmsystem.h>

#include <cstdint>
#include <system_error>
#include <utility>

TSoundQueue::TSoundQueue(TPlay play) : play_(std::move(play)) {}

TSoundQueue::~TSoundQueue() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (worker_.joinable())
        worker_.join();
}

BOOL TSoundQueue::Play(const char* sound, HMODULE module, DWORD flags) {
    // A sound given by number (an alias or resource id in place of a name)
    // is not copied as text; like one in the caller's memory it is played here.
    const bool named = sound == nullptr || (reinterpret_cast<uintptr_t>(sound) >> 16) != 0;
    const bool queued = (flags & SND_ASYNC) && !(flags & SND_MEMORY) && named;
    if (!queued) {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return pending_.empty() && !playing_; });
        lock.unlock();
        return play_(sound, module, flags);
    }
    TRequest request;
    request.HasSound = sound != nullptr;
    if (sound)
        request.Sound = sound;
    request.Module = module;
    request.Flags = flags;
    bool started = true;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!worker_.joinable()) {
            try {
                worker_ = std::thread([this] { Run(); });
            } catch (const std::system_error&) {
                started = false;
            }
        }
        if (started)
            pending_.push_back(std::move(request));
    }
    // No thread to be had (and so nothing queued before): played here, as
    // it would be without a queue.
    if (!started)
        return play_(sound, module, flags);
    changed_.notify_all();
    return TRUE;
}

void TSoundQueue::Run() {
    for (;;) {
        TRequest request;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            changed_.wait(lock, [this] { return stopping_ || !pending_.empty(); });
            if (pending_.empty())
                return;
            request = std::move(pending_.front());
            pending_.pop_front();
            playing_ = true;
        }
        play_(request.HasSound ? request.Sound.c_str() : nullptr, request.Module, request.Flags);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            playing_ = false;
        }
        changed_.notify_all();
    }
}
