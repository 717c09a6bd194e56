#include "framework/runtime/Exceptions.h"
