// Why the last platform call failed, as every driver and host reports it.
#include "platform/result.h"

#include <string>

#include "platform/api/api_failure.h"

namespace platform {
namespace {

std::string& ErrorText() {
    static std::string text = "no error";
    return text;
}

}  // namespace

const char* LastErrorText() {
    return ErrorText().c_str();
}

void detail::SetErrorText(const char* text) {
    ErrorText() = text != nullptr ? text : "unknown error";
}

}  // namespace platform
