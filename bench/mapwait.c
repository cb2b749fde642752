// SPDX-License-Identifier: MIT
/* Starts a program and prints how long it took from exec to its first top-level window being
 * mapped, in milliseconds, then its pid; the program is left running. */
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>
#include <xcb/xcb.h>

static double now_ms(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

int main(int argc, char** argv) {
  if (argc < 2) {
    fprintf(stderr, "usage: mapwait PROGRAM [ARGS...]\n");
    return 2;
  }
  xcb_connection_t* c = xcb_connect(NULL, NULL);
  for (int tries = 0; xcb_connection_has_error(c) && tries < 50; ++tries) {
    xcb_disconnect(c);
    usleep(100 * 1000);
    c = xcb_connect(NULL, NULL);
  }
  if (xcb_connection_has_error(c)) {
    fprintf(stderr, "mapwait: cannot open a display\n");
    return 1;
  }
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(c, screen->root, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(c);

  const double start = now_ms();
  const pid_t pid = fork();
  if (pid == 0) {
    /* Not our stdout: whoever reads it must not wait for the program to end. */
    if (!freopen("/dev/null", "w", stdout)) _exit(127);
    execvp(argv[1], argv + 1);
    perror("mapwait: exec");
    _exit(127);
  }
  xcb_generic_event_t* e;
  while ((e = xcb_wait_for_event(c))) {
    const int type = e->response_type & ~0x80;
    free(e);
    if (type == XCB_MAP_NOTIFY) break;
  }
  printf("%.1f %d\n", now_ms() - start, (int)pid);
  xcb_disconnect(c);
  return 0;
}
