// Whether the window system has asked the game to close, for the screens
// that wait on a key and so never reach the message queue themselves.
#pragma once

// True when a close request (or the quit message) waits in the queue; the
// message stays there for the games loop to take.
bool CloseRequested();
