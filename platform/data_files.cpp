#include "platform/data_files.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/window.h"

namespace platform {
namespace {

bool& ReportsShown() {
    static bool shown = true;
    return shown;
}

}  // namespace

bool DataFilesWanted() {
    Message message;
    // A range filter lets the quit message through as well.
    return !PeekMessage(&message, nullptr, WM_CLOSE, WM_CLOSE, PM_NOREMOVE);
}

void ReportUnusableDataFile(const char* fileName, const char* reason) {
    if (!ReportsShown()) {
        return;
    }
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    // The folder as the system's narrow text, whatever its paths are made of.
    const std::string folderText = error ? "the working directory" : folder.string();
    std::fprintf(stderr,
                 "stackwell: cannot read %s in %s: %s (the data files are read from the "
                 "working directory)\n",
                 fileName != nullptr ? fileName : "(no name)", folderText.c_str(),
                 reason != nullptr ? reason : "unknown reason");
}

void ShowDataFileReports(bool shown) {
    ReportsShown() = shown;
}

}  // namespace platform
