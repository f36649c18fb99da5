#include <cstdlib>

#include "app/game.h"
#include "app/program_icon.h"
#include "platform/window.h"

int main() {
    // The program file carries its icon; the window shows it.
    programIcon = &ProgramIcon();
    // Left through exit rather than a return: in a browser the run ends long
    // after main first handed the browser back its thread, and only exit
    // still carries the status out to the page.
    std::exit(WinMain(platform::GetProgramInstance(), nullptr, "", 0));
}
