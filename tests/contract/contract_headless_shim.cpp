// The contract suites' control of the emulated driver on the headless host.
#include <vector>

#include "platform/emulated/emulated_file_source.h"
#include "platform/hosts/headless/headless_control.h"
#include "platform/sound.h"
#include "tests/contract/contract_shim.h"

namespace contract {

void FreshStart() {
    platform::headless::Reset();
}

bool ExactClock() {
    return true;
}

platform::WindowHandle MakeWindow() {
    platform::WindowClass windowClass;
    windowClass.procedure = &platform::DefWindowProc;
    windowClass.className = "ContractWindow";
    platform::RegisterClass(&windowClass);
    return platform::CreateWindowEx(0, "ContractWindow", "Contract", platform::WS_POPUP, 0, 0, 640,
                                    480, nullptr, nullptr, nullptr, nullptr);
}

void RequestClose(platform::WindowHandle /*window*/) {
    platform::headless::RequestClose();
}

void PressKey(uint8_t scanCode, bool down) {
    platform::headless::SetKey(scanCode, down);
}

bool FailNext(platform::Fault fault) {
    platform::headless::FailStep(fault, 0, 1);
    return true;
}

bool LoseSoundBuffers() {
    platform::headless::LoseSoundBuffers();
    return true;
}

void LetSoundPlay(uint32_t milliseconds) {
    std::vector<uint8_t> samples(milliseconds * platform::kSampleRate / 1000);
    platform::headless::PullAudio(samples.data(), static_cast<uint32_t>(samples.size()));
}

uint64_t RiffWork(platform::RiffFile /*file*/) {
    return platform::detail::SourceReads() * 8192;
}

}  // namespace contract
