#include "framework/runtime/Persistent.h"

#include <string>

#include "framework/runtime/Exceptions.h"

void TPersistent::Assign(TPersistent* source) {
    const std::string sourceName = source ? source->ClassName() : "nil";
    throw EConvertError(sourceName + " kann nicht zu " + ClassName() + " zugewiesen werden");
}
