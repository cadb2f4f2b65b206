#ifndef ZHOOK_H
#define ZHOOK_H
/* The keyboard hook: system-wide hotkeys on X11. The library grabs exactly the keys it is given
 * on the root window, on an X connection and thread of its own, and reports each press of one
 * of them. It never sees any other key.
 *
 * Keys are Windows virtual-key codes (the codes of the hotkey file); modifiers are the bits
 * ZHOOK_SHIFT, ZHOOK_ALT and ZHOOK_CTRL. NumLock, CapsLock and ScrollLock do not matter. */

#ifndef __cplusplus
#include <stdbool.h>
#endif

#ifdef __cplusplus
extern "C" {
#endif

enum { ZHOOK_SHIFT = 1, ZHOOK_ALT = 2, ZHOOK_CTRL = 4 };

typedef struct ZHookKey {
  unsigned short key;
  unsigned char modifiers;
} ZHookKey;

/* A press of a grabbed key, on the hook's own thread; every auto-repeat is a press too. */
typedef void (*ZHookPressFunc)(void* context, unsigned short key, unsigned char modifiers);
/* One line for the program's log, on the thread that called the library. */
typedef void (*ZHookLogFunc)(void* context, const char* line);

typedef struct ZHookClient {
  void* context;
  ZHookPressFunc press;
  ZHookLogFunc log;
} ZHookClient;

/* Connects to the X display and grabs the keys. False when there is no X display or the hook
 * already runs. A key another program holds is logged once and skipped. */
bool ZEnableHook(const ZHookClient* client, const ZHookKey* keys, int count);
/* Replaces the grabbed keys (the hotkey table changed). False when the hook does not run. */
bool ZUpdateHook(const ZHookKey* keys, int count);
/* Releases the keys, ends the thread and closes the connection. False when it did not run. */
bool ZDisableHook(void);

#ifdef __cplusplus
}
#endif

#endif
