#pragma once
// RecoveryStore: the recovery copies that forms of an earlier run left in the
// recovery folder (RecoveryCopy) because the program ended without closing
// them: a crash, a killed program, a power cut. Copies of a program that is
// still running are not among them. Each copy found is read and checked
// here, so that a damaged one is reported instead of stopping the start.
#include "FormTypes.h"
#include "RecoveryCopy.h"

#include <QDateTime>
#include <QString>
#include <memory>
#include <vector>

class QLockFile;

// One copy left by an earlier run. While the object lives, the copy is
// locked for this program.
struct LeftCopy {
    QString path;                      // the copy's data file
    const FormType *type = nullptr;    // by the document's type field
    RecoveryInfo info;
    QDateTime written;
    // Why the copy cannot be restored; empty when it can.
    QString damage;
    std::unique_ptr<QLockFile> lock;

    LeftCopy();
    ~LeftCopy();
    LeftCopy(LeftCopy &&) noexcept;
    LeftCopy &operator=(LeftCopy &&) noexcept;

    // Removes the copy's files.
    void discard();
};

namespace RecoveryStore {
// The copies left by earlier runs, oldest first.
std::vector<LeftCopy> leftCopies();
}
