// What a write to a named file does with what the name stands for, and which leftovers in the target's folder it
// may clear away: decided here once, from what the system says of the name, so that the window's export and the
// batch program on every platform treat a folder, a device, a read-only file and a leftover temporary alike.
#pragma once

#include <string_view>

namespace quarrow {

// What a name stands for once the system has followed its links.
enum class TargetKind {
  kMissing,  // nothing yet: the write makes a new file
  kFile,     // a regular file
  kFolder,
  kDevice,   // a device, a FIFO, a socket, the null device or the console: written to, not stored in
};

enum class TargetWay {
  kReplace,          // a temporary beside it takes its place once complete, so a failure leaves it as it was
  kWriteDirectly,    // it holds no contents to keep, and putting a file in its place would destroy it
  kRefuseFolder,
  kRefuseUnwritable, // a file the user may not open for writing is not the user's to replace either
};

// `writable`: whether the user may open the existing file for writing (ignored for other kinds).
TargetWay ChooseTargetWay(TargetKind kind, bool writable);

// One entry of the target's folder, as the folder lists it (a link is not followed).
struct FolderEntry {
  std::string_view name;
  bool regular_file = false;
  bool read_only = false;
};

// Whether the entry may be a temporary that a write to the target with this stem left behind when its process was
// ended. Only a plain, writable file of the temporaries' shape is: links, folders, devices and read-only files are
// someone's on purpose. The caller still leaves one alone while a running write holds it.
bool MayBeStaleTemporary(std::string_view stem, const FolderEntry& entry);

}  // namespace quarrow
