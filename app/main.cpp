#include "app/game.h"
#include "app/program_icon.h"
#include "platform/window.h"

int main() {
    // The program file carries its icon; the window shows it.
    programIcon = &ProgramIcon();
    return WinMain(platform::GetProgramInstance(), nullptr, "", 0);
}
