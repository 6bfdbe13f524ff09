#pragma once
// RecoveryCopy: the recovery copy of one open form, kept in the user's
// application data folder so that a crash, a killed program or a power cut
// loses no more than the edit in progress. The copy is the form's document
// as Save would write it (a valid data file, "<name>.MRT"), written
// atomically, beside a short description ("<name>.json": the check code,
// the file the document was opened from, whether the code may be on paper).
// A lock file ("<name>.lock"), held while the form is open, tells a later
// start that the copy belongs to a program that is still running.
#include <QByteArray>
#include <QString>
#include <memory>

class QLockFile;

// What a recovery copy needs beside the document to be restored as it was.
struct RecoveryInfo {
    QString checkCode;
    // The file the document was opened from; empty for a new document.
    QString origin;
    // The file under the check code may match a printed form.
    bool mayBeOnPaper = false;

    QByteArray toJson() const;
    // Fields missing from the text keep their defaults; false when the text
    // is no description at all.
    bool fromJson(const QByteArray &json);
};

class RecoveryCopy {
public:
    // A new copy for a form whose data files begin with filePrefix; nothing
    // is written yet.
    explicit RecoveryCopy(const QString &filePrefix);
    // Releases the lock; the copy stays, as only a normal close removes it.
    ~RecoveryCopy();
    RecoveryCopy(const RecoveryCopy &) = delete;
    RecoveryCopy &operator=(const RecoveryCopy &) = delete;

    // Replaces the copy with document; AppError when it cannot be written.
    void write(const QByteArray &document, const RecoveryInfo &info);
    // Removes the copy (the form was saved or closed); a later write makes it again.
    void remove();

    // The copy's data file, named at the first write that succeeded; it
    // exists after a write until remove().
    QString path() const { return FBase.isEmpty() ? QString() : FBase + QStringLiteral(".MRT"); }

    // The folder of the recovery copies in the user's application data folder.
    static QString folder();
    // The description and lock files of a copy.
    static QString infoPath(const QString &copyPath);
    static QString lockPath(const QString &copyPath);

private:
    QString FFilePrefix;
    QString FBase;
    std::unique_ptr<QLockFile> FLock;
    QByteArray FWrittenInfo;
};
