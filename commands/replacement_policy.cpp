#include "commands/replacement_policy.h"

#include "commands/temporary_names.h"

namespace quarrow {

TargetWay ChooseTargetWay(TargetKind kind, bool writable) {
  switch (kind) {
    case TargetKind::kMissing:
      return TargetWay::kReplace;
    case TargetKind::kFile:
      return writable ? TargetWay::kReplace : TargetWay::kRefuseUnwritable;
    case TargetKind::kFolder:
      return TargetWay::kRefuseFolder;
    case TargetKind::kDevice:
      return TargetWay::kWriteDirectly;
  }
  return TargetWay::kRefuseFolder;
}

bool MayBeStaleTemporary(std::string_view stem, const FolderEntry& entry) {
  return entry.regular_file && !entry.read_only && IsTemporaryOf(stem, entry.name);
}

}  // namespace quarrow
