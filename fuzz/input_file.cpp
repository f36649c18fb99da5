#include "fuzz/input_file.h"

#include "platform/emulated/emulated_file_source.h"
#include "program/data_files.h"

namespace fuzz {

const char* ServeInput(const char* name, const uint8_t* data, size_t size) {
    static const bool quiet = [] {
        ShowDataFileReports(false);
        return true;
    }();
    (void)quiet;
    platform::detail::ServeFromMemory(name, data, size);
    return name;
}

}  // namespace fuzz
