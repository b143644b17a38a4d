#pragma once

namespace zelvane::cli {

// Makes an interruption (SIGINT from Ctrl-C, SIGTERM, SIGHUP when the terminal goes) remove
// the temporary file of any save or video in progress and end with 128 plus the signal's
// number, as shells report it: the file being replaced stays as it was and nothing is left
// beside it. A signal the program was started ignoring (nohup, a background job) stays
// ignored.
void RemoveTemporaryFilesOnInterrupt();

} // namespace zelvane::cli
