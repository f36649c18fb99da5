// Every constant the platform shares with the system has the system's value,
// so that the driver can pass the game's flags straight through.
#include "platform/win32/win32_windows_api.h"

#include "platform/display.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/keys.h"
#include "platform/result.h"
#include "platform/riff.h"
#include "platform/sound.h"
#include "platform/text.h"
#include "platform/window.h"

namespace platform::win32 {
namespace {

template <typename Ours, typename Theirs>
constexpr bool Same(Ours ours, Theirs theirs) {
    return static_cast<uint32_t>(ours) == static_cast<uint32_t>(theirs);
}

static_assert(Same(CS_DBLCLKS, system_CS_DBLCLKS), "CS_DBLCLKS");
static_assert(Same(CS_HREDRAW, system_CS_HREDRAW), "CS_HREDRAW");
static_assert(Same(CS_OWNDC, system_CS_OWNDC), "CS_OWNDC");
static_assert(Same(CS_VREDRAW, system_CS_VREDRAW), "CS_VREDRAW");
static_assert(Same(DDBLTFAST_NOCOLORKEY, system_DDBLTFAST_NOCOLORKEY), "DDBLTFAST_NOCOLORKEY");
static_assert(Same(DDBLTFAST_SRCCOLORKEY, system_DDBLTFAST_SRCCOLORKEY), "DDBLTFAST_SRCCOLORKEY");
static_assert(Same(DDBLTFAST_WAIT, system_DDBLTFAST_WAIT), "DDBLTFAST_WAIT");
static_assert(Same(DDBLT_COLORFILL, system_DDBLT_COLORFILL), "DDBLT_COLORFILL");
static_assert(Same(DDBLT_WAIT, system_DDBLT_WAIT), "DDBLT_WAIT");
static_assert(Same(DDCKEY_SRCBLT, system_DDCKEY_SRCBLT), "DDCKEY_SRCBLT");
static_assert(Same(DDFLIP_WAIT, system_DDFLIP_WAIT), "DDFLIP_WAIT");
static_assert(Same(DDLOCK_WAIT, system_DDLOCK_WAIT), "DDLOCK_WAIT");
static_assert(Same(DDPCAPS_8BIT, system_DDPCAPS_8BIT), "DDPCAPS_8BIT");
static_assert(Same(DDPCAPS_ALLOW256, system_DDPCAPS_ALLOW256), "DDPCAPS_ALLOW256");
static_assert(Same(DDSCAPS_BACKBUFFER, system_DDSCAPS_BACKBUFFER), "DDSCAPS_BACKBUFFER");
static_assert(Same(DDSCAPS_COMPLEX, system_DDSCAPS_COMPLEX), "DDSCAPS_COMPLEX");
static_assert(Same(DDSCAPS_FLIP, system_DDSCAPS_FLIP), "DDSCAPS_FLIP");
static_assert(Same(DDSCAPS_OFFSCREENPLAIN, system_DDSCAPS_OFFSCREENPLAIN),
              "DDSCAPS_OFFSCREENPLAIN");
static_assert(Same(DDSCAPS_PRIMARYSURFACE, system_DDSCAPS_PRIMARYSURFACE),
              "DDSCAPS_PRIMARYSURFACE");
static_assert(Same(DDSCL_ALLOWMODEX, system_DDSCL_ALLOWMODEX), "DDSCL_ALLOWMODEX");
static_assert(Same(DDSCL_ALLOWREBOOT, system_DDSCL_ALLOWREBOOT), "DDSCL_ALLOWREBOOT");
static_assert(Same(DDSCL_EXCLUSIVE, system_DDSCL_EXCLUSIVE), "DDSCL_EXCLUSIVE");
static_assert(Same(DDSCL_FULLSCREEN, system_DDSCL_FULLSCREEN), "DDSCL_FULLSCREEN");
static_assert(Same(DDSCL_NORMAL, system_DDSCL_NORMAL), "DDSCL_NORMAL");
static_assert(Same(DDSD_BACKBUFFERCOUNT, system_DDSD_BACKBUFFERCOUNT), "DDSD_BACKBUFFERCOUNT");
static_assert(Same(DDSD_CAPS, system_DDSD_CAPS), "DDSD_CAPS");
static_assert(Same(DDSD_HEIGHT, system_DDSD_HEIGHT), "DDSD_HEIGHT");
static_assert(Same(DDSD_PITCH, system_DDSD_PITCH), "DDSD_PITCH");
static_assert(Same(DDSD_WIDTH, system_DDSD_WIDTH), "DDSD_WIDTH");
static_assert(Same(DDWAITVB_BLOCKBEGIN, system_DDWAITVB_BLOCKBEGIN), "DDWAITVB_BLOCKBEGIN");
static_assert(Same(DIK_0, system_DIK_0), "DIK_0");
static_assert(Same(DIK_1, system_DIK_1), "DIK_1");
static_assert(Same(DIK_2, system_DIK_2), "DIK_2");
static_assert(Same(DIK_3, system_DIK_3), "DIK_3");
static_assert(Same(DIK_4, system_DIK_4), "DIK_4");
static_assert(Same(DIK_5, system_DIK_5), "DIK_5");
static_assert(Same(DIK_6, system_DIK_6), "DIK_6");
static_assert(Same(DIK_7, system_DIK_7), "DIK_7");
static_assert(Same(DIK_8, system_DIK_8), "DIK_8");
static_assert(Same(DIK_9, system_DIK_9), "DIK_9");
static_assert(Same(DIK_A, system_DIK_A), "DIK_A");
static_assert(Same(DIK_ADD, system_DIK_ADD), "DIK_ADD");
static_assert(Same(DIK_APOSTROPHE, system_DIK_APOSTROPHE), "DIK_APOSTROPHE");
static_assert(Same(DIK_APPS, system_DIK_APPS), "DIK_APPS");
static_assert(Same(DIK_B, system_DIK_B), "DIK_B");
static_assert(Same(DIK_BACK, system_DIK_BACK), "DIK_BACK");
static_assert(Same(DIK_BACKSLASH, system_DIK_BACKSLASH), "DIK_BACKSLASH");
static_assert(Same(DIK_C, system_DIK_C), "DIK_C");
static_assert(Same(DIK_CAPITAL, system_DIK_CAPITAL), "DIK_CAPITAL");
static_assert(Same(DIK_COMMA, system_DIK_COMMA), "DIK_COMMA");
static_assert(Same(DIK_D, system_DIK_D), "DIK_D");
static_assert(Same(DIK_DECIMAL, system_DIK_DECIMAL), "DIK_DECIMAL");
static_assert(Same(DIK_DELETE, system_DIK_DELETE), "DIK_DELETE");
static_assert(Same(DIK_DIVIDE, system_DIK_DIVIDE), "DIK_DIVIDE");
static_assert(Same(DIK_DOWN, system_DIK_DOWN), "DIK_DOWN");
static_assert(Same(DIK_E, system_DIK_E), "DIK_E");
static_assert(Same(DIK_END, system_DIK_END), "DIK_END");
static_assert(Same(DIK_EQUALS, system_DIK_EQUALS), "DIK_EQUALS");
static_assert(Same(DIK_ESCAPE, system_DIK_ESCAPE), "DIK_ESCAPE");
static_assert(Same(DIK_F, system_DIK_F), "DIK_F");
static_assert(Same(DIK_F1, system_DIK_F1), "DIK_F1");
static_assert(Same(DIK_F10, system_DIK_F10), "DIK_F10");
static_assert(Same(DIK_F11, system_DIK_F11), "DIK_F11");
static_assert(Same(DIK_F12, system_DIK_F12), "DIK_F12");
static_assert(Same(DIK_F2, system_DIK_F2), "DIK_F2");
static_assert(Same(DIK_F3, system_DIK_F3), "DIK_F3");
static_assert(Same(DIK_F4, system_DIK_F4), "DIK_F4");
static_assert(Same(DIK_F5, system_DIK_F5), "DIK_F5");
static_assert(Same(DIK_F6, system_DIK_F6), "DIK_F6");
static_assert(Same(DIK_F7, system_DIK_F7), "DIK_F7");
static_assert(Same(DIK_F8, system_DIK_F8), "DIK_F8");
static_assert(Same(DIK_F9, system_DIK_F9), "DIK_F9");
static_assert(Same(DIK_G, system_DIK_G), "DIK_G");
static_assert(Same(DIK_GRAVE, system_DIK_GRAVE), "DIK_GRAVE");
static_assert(Same(DIK_H, system_DIK_H), "DIK_H");
static_assert(Same(DIK_HOME, system_DIK_HOME), "DIK_HOME");
static_assert(Same(DIK_I, system_DIK_I), "DIK_I");
static_assert(Same(DIK_INSERT, system_DIK_INSERT), "DIK_INSERT");
static_assert(Same(DIK_J, system_DIK_J), "DIK_J");
static_assert(Same(DIK_K, system_DIK_K), "DIK_K");
static_assert(Same(DIK_L, system_DIK_L), "DIK_L");
static_assert(Same(DIK_LBRACKET, system_DIK_LBRACKET), "DIK_LBRACKET");
static_assert(Same(DIK_LCONTROL, system_DIK_LCONTROL), "DIK_LCONTROL");
static_assert(Same(DIK_LEFT, system_DIK_LEFT), "DIK_LEFT");
static_assert(Same(DIK_LMENU, system_DIK_LMENU), "DIK_LMENU");
static_assert(Same(DIK_LSHIFT, system_DIK_LSHIFT), "DIK_LSHIFT");
static_assert(Same(DIK_LWIN, system_DIK_LWIN), "DIK_LWIN");
static_assert(Same(DIK_M, system_DIK_M), "DIK_M");
static_assert(Same(DIK_MINUS, system_DIK_MINUS), "DIK_MINUS");
static_assert(Same(DIK_MULTIPLY, system_DIK_MULTIPLY), "DIK_MULTIPLY");
static_assert(Same(DIK_N, system_DIK_N), "DIK_N");
static_assert(Same(DIK_NEXT, system_DIK_NEXT), "DIK_NEXT");
static_assert(Same(DIK_NUMLOCK, system_DIK_NUMLOCK), "DIK_NUMLOCK");
static_assert(Same(DIK_NUMPAD0, system_DIK_NUMPAD0), "DIK_NUMPAD0");
static_assert(Same(DIK_NUMPAD1, system_DIK_NUMPAD1), "DIK_NUMPAD1");
static_assert(Same(DIK_NUMPAD2, system_DIK_NUMPAD2), "DIK_NUMPAD2");
static_assert(Same(DIK_NUMPAD3, system_DIK_NUMPAD3), "DIK_NUMPAD3");
static_assert(Same(DIK_NUMPAD4, system_DIK_NUMPAD4), "DIK_NUMPAD4");
static_assert(Same(DIK_NUMPAD5, system_DIK_NUMPAD5), "DIK_NUMPAD5");
static_assert(Same(DIK_NUMPAD6, system_DIK_NUMPAD6), "DIK_NUMPAD6");
static_assert(Same(DIK_NUMPAD7, system_DIK_NUMPAD7), "DIK_NUMPAD7");
static_assert(Same(DIK_NUMPAD8, system_DIK_NUMPAD8), "DIK_NUMPAD8");
static_assert(Same(DIK_NUMPAD9, system_DIK_NUMPAD9), "DIK_NUMPAD9");
static_assert(Same(DIK_NUMPADENTER, system_DIK_NUMPADENTER), "DIK_NUMPADENTER");
static_assert(Same(DIK_O, system_DIK_O), "DIK_O");
static_assert(Same(DIK_P, system_DIK_P), "DIK_P");
static_assert(Same(DIK_PAUSE, system_DIK_PAUSE), "DIK_PAUSE");
static_assert(Same(DIK_PERIOD, system_DIK_PERIOD), "DIK_PERIOD");
static_assert(Same(DIK_PRIOR, system_DIK_PRIOR), "DIK_PRIOR");
static_assert(Same(DIK_Q, system_DIK_Q), "DIK_Q");
static_assert(Same(DIK_R, system_DIK_R), "DIK_R");
static_assert(Same(DIK_RBRACKET, system_DIK_RBRACKET), "DIK_RBRACKET");
static_assert(Same(DIK_RCONTROL, system_DIK_RCONTROL), "DIK_RCONTROL");
static_assert(Same(DIK_RETURN, system_DIK_RETURN), "DIK_RETURN");
static_assert(Same(DIK_RIGHT, system_DIK_RIGHT), "DIK_RIGHT");
static_assert(Same(DIK_RMENU, system_DIK_RMENU), "DIK_RMENU");
static_assert(Same(DIK_RSHIFT, system_DIK_RSHIFT), "DIK_RSHIFT");
static_assert(Same(DIK_RWIN, system_DIK_RWIN), "DIK_RWIN");
static_assert(Same(DIK_S, system_DIK_S), "DIK_S");
static_assert(Same(DIK_SCROLL, system_DIK_SCROLL), "DIK_SCROLL");
static_assert(Same(DIK_SEMICOLON, system_DIK_SEMICOLON), "DIK_SEMICOLON");
static_assert(Same(DIK_SLASH, system_DIK_SLASH), "DIK_SLASH");
static_assert(Same(DIK_SPACE, system_DIK_SPACE), "DIK_SPACE");
static_assert(Same(DIK_SUBTRACT, system_DIK_SUBTRACT), "DIK_SUBTRACT");
static_assert(Same(DIK_SYSRQ, system_DIK_SYSRQ), "DIK_SYSRQ");
static_assert(Same(DIK_T, system_DIK_T), "DIK_T");
static_assert(Same(DIK_TAB, system_DIK_TAB), "DIK_TAB");
static_assert(Same(DIK_U, system_DIK_U), "DIK_U");
static_assert(Same(DIK_UP, system_DIK_UP), "DIK_UP");
static_assert(Same(DIK_V, system_DIK_V), "DIK_V");
static_assert(Same(DIK_W, system_DIK_W), "DIK_W");
static_assert(Same(DIK_X, system_DIK_X), "DIK_X");
static_assert(Same(DIK_Y, system_DIK_Y), "DIK_Y");
static_assert(Same(DIK_Z, system_DIK_Z), "DIK_Z");
static_assert(Same(DISCL_BACKGROUND, system_DISCL_BACKGROUND), "DISCL_BACKGROUND");
static_assert(Same(DISCL_EXCLUSIVE, system_DISCL_EXCLUSIVE), "DISCL_EXCLUSIVE");
static_assert(Same(DISCL_FOREGROUND, system_DISCL_FOREGROUND), "DISCL_FOREGROUND");
static_assert(Same(DISCL_NONEXCLUSIVE, system_DISCL_NONEXCLUSIVE), "DISCL_NONEXCLUSIVE");
static_assert(Same(DSBCAPS_STATIC, system_DSBCAPS_STATIC), "DSBCAPS_STATIC");
static_assert(Same(DSBPLAY_LOOPING, system_DSBPLAY_LOOPING), "DSBPLAY_LOOPING");
static_assert(Same(DSBSTATUS_BUFFERLOST, system_DSBSTATUS_BUFFERLOST), "DSBSTATUS_BUFFERLOST");
static_assert(Same(DSBSTATUS_LOOPING, system_DSBSTATUS_LOOPING), "DSBSTATUS_LOOPING");
static_assert(Same(DSBSTATUS_PLAYING, system_DSBSTATUS_PLAYING), "DSBSTATUS_PLAYING");
static_assert(Same(DSSCL_NORMAL, system_DSSCL_NORMAL), "DSSCL_NORMAL");
static_assert(Same(FILE_ATTRIBUTE_NORMAL, system_FILE_ATTRIBUTE_NORMAL), "FILE_ATTRIBUTE_NORMAL");
static_assert(Same(FILE_SHARE_READ, system_FILE_SHARE_READ), "FILE_SHARE_READ");
static_assert(Same(GENERIC_READ, system_GENERIC_READ), "GENERIC_READ");
static_assert(Same(OPAQUE, system_OPAQUE), "OPAQUE");
static_assert(Same(OPEN_EXISTING, system_OPEN_EXISTING), "OPEN_EXISTING");
static_assert(Same(PM_NOREMOVE, system_PM_NOREMOVE), "PM_NOREMOVE");
static_assert(Same(PM_REMOVE, system_PM_REMOVE), "PM_REMOVE");
static_assert(Same(SM_CXSCREEN, system_SM_CXSCREEN), "SM_CXSCREEN");
static_assert(Same(SM_CYSCREEN, system_SM_CYSCREEN), "SM_CYSCREEN");
static_assert(Same(TRANSPARENT, system_TRANSPARENT), "TRANSPARENT");
static_assert(Same(WAVE_FORMAT_PCM, system_WAVE_FORMAT_PCM), "WAVE_FORMAT_PCM");
static_assert(Same(WM_CLOSE, system_WM_CLOSE), "WM_CLOSE");
static_assert(Same(WM_CREATE, system_WM_CREATE), "WM_CREATE");
static_assert(Same(WM_DESTROY, system_WM_DESTROY), "WM_DESTROY");
static_assert(Same(WM_NULL, system_WM_NULL), "WM_NULL");
static_assert(Same(WM_PAINT, system_WM_PAINT), "WM_PAINT");
static_assert(Same(WM_QUIT, system_WM_QUIT), "WM_QUIT");
static_assert(Same(WS_POPUP, system_WS_POPUP), "WS_POPUP");
static_assert(Same(WS_VISIBLE, system_WS_VISIBLE), "WS_VISIBLE");

// Results, which the driver hands back as the system gave them.
static_assert(Same(kErrGeneric, E_FAIL));
static_assert(Same(kErrNotImplemented, E_NOTIMPL));
static_assert(Same(kErrInvalidParams, E_INVALIDARG));
static_assert(Same(kErrOutOfMemory, E_OUTOFMEMORY));
static_assert(Same(kErrNotAcquired, DIERR_NOTACQUIRED));
static_assert(Same(kErrInvalidRect, DDERR_INVALIDRECT));
static_assert(Same(kErrSurfaceLost, DDERR_SURFACELOST));
static_assert(Same(kErrSurfaceBusy, DDERR_SURFACEBUSY));
static_assert(Same(kErrBufferLost, DSERR_BUFFERLOST));
static_assert(Same(RIFFERR_CANNOTREAD, MMIOERR_CANNOTREAD));
static_assert(Same(RIFFERR_CANNOTSEEK, MMIOERR_CANNOTSEEK));
static_assert(Same(RIFFERR_CHUNKNOTFOUND, MMIOERR_CHUNKNOTFOUND));
static_assert(Same(RIFFERR_INVALIDPARAM, MMSYSERR_INVALPARAM));
static_assert(Same(RIFF_READ, MMIO_READ));
static_assert(Same(RIFF_ALLOCBUF, MMIO_ALLOCBUF));
static_assert(Same(RIFF_FINDCHUNK, MMIO_FINDCHUNK));
static_assert(Same(RIFF_FINDRIFF, MMIO_FINDRIFF));
static_assert(Same(RIFF_FINDLIST, MMIO_FINDLIST));

// Records the driver hands to the system as they are.
static_assert(sizeof(Rect) == sizeof(RECT) && offsetof(Rect, bottom) == offsetof(RECT, bottom));
static_assert(sizeof(PaletteEntry) == sizeof(PALETTEENTRY) &&
              offsetof(PaletteEntry, blue) == offsetof(PALETTEENTRY, peBlue));
static_assert(sizeof(ChunkInfo) == sizeof(MMCKINFO) &&
              offsetof(ChunkInfo, dataOffset) == offsetof(MMCKINFO, dwDataOffset));
static_assert(sizeof(ColorRef) == sizeof(COLORREF));
static_assert(Rgb(1, 2, 3) == RGB(1, 2, 3));

}  // namespace
}  // namespace platform::win32
