// The Windows test program: GoogleTest on a thread in a single-threaded apartment, with a message-box
// watcher that has first proved it sees boxes on this display.
#include <windows.h>

#include <gtest/gtest.h>
#include <objbase.h>

#include <cstdio>

#include "tests/win/host/message_boxes.h"
#include "tests/win/test_arguments.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (!tandrel::win::testing::SetDllPaths(argc, argv)) return 1;
  if (FAILED(OleInitialize(nullptr))) {
    std::fprintf(stderr, "OleInitialize failed\n");
    return 1;
  }
  int status = 1;
  {
    tandrel::win::host::MessageBoxWatcher probe;
    if (tandrel::win::host::WatcherSeesMessageBoxes(probe)) {
      status = RUN_ALL_TESTS();
    } else {
      std::fprintf(stderr, "The message-box watcher did not see the host's own box: is there a display?\n");
    }
  }
  OleUninitialize();
  return status;
}
