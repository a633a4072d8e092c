// Starts a program and measures the time until a window titled <title> is mapped, then
// its resident memory a moment later, and the processor time and page faults it has
// used by then (all threads, kernel time included); prints
// "<milliseconds> <kibibytes> <cpu-milliseconds> <minor-faults>" and ends it.
//   map_timer <title> <settle-ms> <program> [args...]
// Run it on an X server without a window manager, so the map is seen on the root window.
// Gives up (exit code 1) when no such window appears within ten seconds.
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

namespace {

xcb_atom_t Atom(xcb_connection_t* conn, const char* name) {
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
      conn, xcb_intern_atom(conn, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
  const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  std::free(reply);
  return atom;
}

std::string WindowName(xcb_connection_t* conn, xcb_window_t window, xcb_atom_t netName,
                       xcb_atom_t utf8) {
  xcb_get_property_reply_t* reply = xcb_get_property_reply(
      conn, xcb_get_property(conn, 0, window, netName, utf8, 0, 256), nullptr);
  std::string name;
  if (reply != nullptr) {
    name.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                static_cast<std::size_t>(xcb_get_property_value_length(reply)));
  }
  std::free(reply);
  return name;
}

long ResidentKiB(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s <title> <settle-ms> <program> [args...]\n", argv[0]);
    return 2;
  }
  const std::string title = argv[1];
  const int settleMs = std::atoi(argv[2]);
  xcb_connection_t* conn = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(conn)) return 1;
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(conn)).data->root;
  const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(conn, root, XCB_CW_EVENT_MASK, &mask);
  const xcb_atom_t netName = Atom(conn, "_NET_WM_NAME");
  const xcb_atom_t utf8 = Atom(conn, "UTF8_STRING");
  xcb_flush(conn);

  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    execv(argv[3], argv + 3);
    _exit(127);
  }
  double ms = -1;
  const auto deadline = start + std::chrono::seconds(10);
  pollfd pfd{xcb_get_file_descriptor(conn), POLLIN, 0};
  for (;;) {
    xcb_generic_event_t* event = xcb_poll_for_event(conn);
    if (event == nullptr) {
      if (xcb_connection_has_error(conn)) break;
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0) break;
      poll(&pfd, 1, static_cast<int>(left.count()));
      continue;
    }
    const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
    const xcb_window_t window =
        mapped ? reinterpret_cast<xcb_map_notify_event_t*>(event)->window : 0;
    std::free(event);
    if (mapped && WindowName(conn, window, netName, utf8) == title) {
      ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
               .count();
      break;
    }
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
  const long rss = ResidentKiB(child);
  // SIGKILL ends it where it stands (an idle event loop), so its usage is that of the
  // start and the first showing.
  kill(child, SIGKILL);
  rusage usage{};
  wait4(child, nullptr, 0, &usage);
  xcb_disconnect(conn);
  if (ms < 0) return 1;
  const double cpuMs = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                       static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
  std::printf("%.1f %ld %.1f %ld\n", ms, rss, cpuMs, usage.ru_minflt);
  return 0;
}
