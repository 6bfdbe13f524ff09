#pragma once
// MessageBatch: the per-item messages of one load, save, report fill or
// click, collected instead of shown one by one. A file with thousands of
// faulty items would otherwise raise thousands of modal message boxes in a
// row; a batch shows each kind of message once, when it ends: the message of
// the first item, and for a kind that occurred more than once, how often and
// the first names it concerned.
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

class MessageBatch {
public:
    // How many names of a kind the shown message lists at most.
    static constexpr int ShownNames = 10;

    // One message of a kind (any number the caller chooses) about the item
    // or control called name.
    void add(int kind, const QString &name, const QString &text);
    bool isEmpty() const { return FKinds.isEmpty(); }
    // The messages to show, one per kind in the order each kind first
    // occurred; the batch is empty afterwards.
    QStringList take();

private:
    struct Kind {
        int kind = 0;
        QString first;
        qsizetype count = 0;
        QStringList names;   // the first distinct names
        QSet<QString> seen;  // every distinct name
    };
    QList<Kind> FKinds;
};
