#include <string>

#include "platform/backend.h"
#include "platform/result.h"

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

void backend::SetErrorText(const char* text) {
    ErrorText() = text != nullptr ? text : "unknown error";
}

}  // namespace platform
