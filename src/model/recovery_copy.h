// Recovery copies: while a design has unsaved changes the window writes it, every
// little while and when the session ends, into the user's state folder, so that a
// kill, a crash or a lost session costs at most the last few seconds of work.
//
// A copy is three files in <state>/recovery/, all named after the writing session:
// NAME.zarvex (the design in the project format), NAME.origin (the project file it
// belongs to, empty for a new design, then the stamp of that file when it was last
// opened or saved) and NAME.lock, locked for as long as the session runs. A copy
// whose lock is free was left by a session that ended without saving or
// discarding it: the next start offers to restore it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/file_stamp.h"
#include "model/menu_field_checks.h"

namespace zarvex {

struct WriteFaults;
class AppletDesign;

struct RecoveryCopy {
    std::string designPath;  // NAME.zarvex, to be read as a project file
    std::string origin;      // the project file, empty for a new design
    FileStamp originStamp;   // that file as the session last read or wrote it
    std::int64_t writtenNs = 0;
    // Why the project reader refuses the copy ("<file>:<line>: <reason>"); empty
    // when it reads whole. A refused copy is named to the author, never restored.
    std::string fault;
};

class RecoveryWriter {
  public:
    // Takes the lock for name in stateFolder/recovery (made when missing); throws
    // FileIoError when it cannot.
    RecoveryWriter(const std::string& stateFolder, const std::string& name);
    // Leaves a copy that was not removed, for the next start to offer.
    ~RecoveryWriter();
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;

    // Replaces the copy, design first (through the safe writer, so that a kill
    // leaves the old copy or the new one). Throws FileIoError.
    void Write(const std::string& projectText, const std::string& origin, const FileStamp& stamp,
               WriteFaults* faults = nullptr);
    // Writes the design (its web page options included) as Write does once
    // it passes the check Save makes (FindDesignFault), so that every copy opens
    // again; a design Save would refuse leaves the previous copy as it was, and its
    // fault comes back.
    std::optional<FieldFault> WriteDesign(const AppletDesign& agent, const std::string& origin,
                                          const FileStamp& stamp, WriteFaults* faults = nullptr);
    // The design was saved or discarded: the copy goes.
    void Remove();
    bool HasCopy() const { return hasCopy_; }

  private:
    std::string base_;
    int lockFd_ = -1;
    bool hasCopy_ = false;
};

// The copies in stateFolder left by sessions that ended, newest first, each read
// through the project reader (RecoveryCopy::fault).
std::vector<RecoveryCopy> FindOrphanedCopies(const std::string& stateFolder);

// Removes a copy found by FindOrphanedCopies (after it was restored or declined).
void RemoveRecoveryCopy(const RecoveryCopy& copy);

}  // namespace zarvex
