// The runtime's exception classes. Every error the system raises derives from
// Exception, which carries the message shown in the application's error box.
#pragma once

#include <stdexcept>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const std::string& Message() const noexcept { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

#define OVALYN_DECLARE_EXCEPTION(Name, Base)                                                       \
    class Name : public Base {                                                                     \
    public:                                                                                        \
        using Base::Base;                                                                          \
    }

// Arithmetic and range errors carry the runtime's fixed German messages.
// All texts of the system are in the Windows ANSI code page (1252), the code
// page of the A-functions it calls: \xFC is u-umlaut.
class EIntOverflow : public Exception {
public:
    EIntOverflow()
        : Exception("Integer\xFC"
                    "berlauf") {}
};
class ERangeError : public Exception {
public:
    ERangeError()
        : Exception("Fehler bei Bereichspr\xFC"
                    "fung") {}
};

OVALYN_DECLARE_EXCEPTION(EStreamError, Exception);
OVALYN_DECLARE_EXCEPTION(EReadError, EStreamError);
OVALYN_DECLARE_EXCEPTION(EWriteError, EStreamError);
OVALYN_DECLARE_EXCEPTION(EFOpenError, EStreamError);
OVALYN_DECLARE_EXCEPTION(EFCreateError, EStreamError);
OVALYN_DECLARE_EXCEPTION(EConvertError, Exception);
OVALYN_DECLARE_EXCEPTION(EStringListError, Exception);
OVALYN_DECLARE_EXCEPTION(EOutOfMemory, Exception);
OVALYN_DECLARE_EXCEPTION(EInvalidGraphic, Exception);
OVALYN_DECLARE_EXCEPTION(EInvalidGraphicOperation, Exception);
OVALYN_DECLARE_EXCEPTION(EInvalidOperation, Exception);
OVALYN_DECLARE_EXCEPTION(ERegistryException, Exception);
OVALYN_DECLARE_EXCEPTION(EIniFileException, Exception);
OVALYN_DECLARE_EXCEPTION(EOSError, Exception);
OVALYN_DECLARE_EXCEPTION(EListError, Exception);
OVALYN_DECLARE_EXCEPTION(EComponentError, Exception);
