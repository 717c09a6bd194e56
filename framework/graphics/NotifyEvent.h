// The event that carries only its sender.
#pragma once

#include <functional>

#include "framework/runtime/Persistent.h"

using TNotifyEvent = std::function<void(TObject* sender)>;
