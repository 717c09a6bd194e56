// A container that cannot be read as one, or an entry that does not fit into
// one: the message names the container (or the entry's source) and what is
// wrong, "NAME: what".
#pragma once

#include "framework/runtime/Exceptions.h"

OVALYN_DECLARE_EXCEPTION(EContainerError, Exception);
