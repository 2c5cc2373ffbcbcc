#include "convert/failure_text.h"

#include "convert/messages.h"

namespace trelvan {

std::string FailureText(const FileFailure& failure) {
  switch (failure.problem) {
    case FileProblem::kNotFound:
      return messages::kReasonNotFound;
    case FileProblem::kAccessDenied:
      return messages::kReasonAccessDenied;
    case FileProblem::kIsDirectory:
      return messages::kReasonIsDirectory;
    case FileProblem::kNotRegularFile:
      return messages::kReasonNotRegularFile;
    case FileProblem::kFolderNotWritable:
      return messages::kReasonFolderNotWritable;
    case FileProblem::kDiskFull:
      return messages::kReasonDiskFull;
    case FileProblem::kReadOnlyFileSystem:
      return messages::kReasonReadOnlyFileSystem;
    case FileProblem::kQuotaExceeded:
      return messages::kReasonQuotaExceeded;
    case FileProblem::kInputOutput:
      return messages::kReasonInputOutput;
    case FileProblem::kOther:
      break;
  }
  return failure.system_text;
}

}  // namespace trelvan
