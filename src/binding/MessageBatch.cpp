#include "MessageBatch.h"

#include "BindingMessages.h"

void MessageBatch::add(int kind, const QString &name, const QString &text)
{
    auto it = std::find_if(FKinds.begin(), FKinds.end(), [kind](const Kind &k) { return k.kind == kind; });
    if (it == FKinds.end()) {
        Kind added;
        added.kind = kind;
        added.first = text;
        FKinds.append(added);
        it = FKinds.end() - 1;
    }
    ++it->count;
    if (!it->seen.contains(name)) {
        it->seen.insert(name);
        if (it->names.size() < ShownNames)
            it->names.append(name);
    }
}

QStringList MessageBatch::take()
{
    QStringList texts;
    for (const Kind &k : std::as_const(FKinds)) {
        texts.append(k.count == 1 ? k.first
                                  : BindingMessages::Repeated(k.first, k.count, k.names, k.seen.size()));
    }
    FKinds.clear();
    return texts;
}
