// The designer's model raises the authoring library's one error type: a
// refused edit or a file that cannot be opened, saved or built. what() names
// the file (where there is one) and what is wrong, ready for a message box.
#pragma once

#include "authoring/AuthoringError.h"

using DesignError = AuthoringError;
