#include "fuzz/input_file.h"

#include "platform/data_files.h"
#include "platform/emulated/emulated_file_source.h"

namespace fuzz {

const char* ServeInput(const char* name, const uint8_t* data, size_t size) {
    static const bool quiet = [] {
        platform::ShowDataFileReports(false);
        return true;
    }();
    (void)quiet;
    platform::detail::ServeFromMemory(name, data, size);
    return name;
}

}  // namespace fuzz
