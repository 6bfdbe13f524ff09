#include "SharedFields.h"

#include "AppError.h"
#include "SourceRepeat.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

namespace SharedFields {

namespace {

struct Table {
    // Per form type: field -> line key.
    QHash<QString, QString> keys[kFormKindCount];
    // Per form type: line key -> field.
    QHash<QString, QString> fields[kFormKindCount];
    QList<QRegularExpression> only;

    bool onlyListed(const QString &field) const
    {
        for (const QRegularExpression &re : only)
            if (re.match(field).hasMatch())
                return true;
        return false;
    }
};

[[noreturn]] void fail(int line, const QString &what)
{
    throw AppError(QStringLiteral("共用字段表第%1行有误：%2").arg(line).arg(what));
}

// The form type of a column name ("YPZCSQ", the configuration file's base name).
bool kindOfColumn(const QString &name, FormKind &kind)
{
    for (const FormType &t : formTypes())
        if (QFileInfo(t.configFileName).completeBaseName() == name) {
            kind = t.kind;
            return true;
        }
    return false;
}

Table parse(const QString &text)
{
    Table table;
    QList<SourceLine> lines;
    try {
        lines = SourceRepeat::expand(text);
    } catch (const SourceLineError &e) {
        fail(e.line, e.what);
    }
    QList<FormKind> columns;
    static const QRegularExpression blanks(QStringLiteral("[ \\t]+"));
    for (const SourceLine &line : lines) {
        QString s = line.text;
        const qsizetype hash = s.indexOf(QLatin1Char('#'));
        if (hash >= 0)
            s.truncate(hash);
        const QStringList words = s.split(blanks, Qt::SkipEmptyParts);
        if (words.isEmpty())
            continue;
        if (words[0] == QLatin1String("forms")) {
            if (!columns.isEmpty())
                fail(line.number, QStringLiteral("“forms”只能出现一次"));
            for (qsizetype i = 1; i < words.size(); ++i) {
                FormKind kind;
                if (!kindOfColumn(words[i], kind))
                    fail(line.number, QStringLiteral("没有这种表：") + words[i]);
                if (columns.contains(kind))
                    fail(line.number, QStringLiteral("表重复：") + words[i]);
                columns << kind;
            }
            continue;
        }
        if (words[0] == QLatin1String("only")) {
            for (qsizetype i = 1; i < words.size(); ++i)
                table.only << QRegularExpression(QRegularExpression::wildcardToRegularExpression(words[i]));
            continue;
        }
        if (columns.isEmpty())
            fail(line.number, QStringLiteral("第一行须为“forms”"));
        if (words.size() != columns.size() + 1)
            fail(line.number, QStringLiteral("应有%1列，实有%2列").arg(columns.size() + 1).arg(words.size()));
        const QString &key = words[0];
        for (qsizetype c = 0; c < columns.size(); ++c) {
            const QString &field = words[c + 1];
            if (field == QLatin1String("-"))
                continue;
            const int k = int(columns[c]);
            if (table.keys[k].contains(field))
                fail(line.number, QStringLiteral("字段%1已出现在“%2”一行").arg(field, table.keys[k].value(field)));
            if (table.fields[k].contains(key))
                fail(line.number, QStringLiteral("“%1”重复").arg(key));
            table.keys[k].insert(field, key);
            table.fields[k].insert(key, field);
        }
    }
    if (columns.isEmpty())
        fail(1, QStringLiteral("缺少“forms”一行"));
    return table;
}

const Table &table()
{
    static const Table t = [] {
        QFile f(QStringLiteral(":/forms/SharedFields.txt"));
        if (!f.open(QIODevice::ReadOnly))
            throw AppError(QStringLiteral("程序缺少共用字段表，无法导入。"));
        return parse(QString::fromUtf8(f.readAll()));
    }();
    return t;
}

} // namespace

QString counterpart(FormKind target, const QString &field, FormKind source)
{
    // A form of the same type has every field of its own.
    if (target == source)
        return field;
    const Table &t = table();
    const auto key = t.keys[int(target)].constFind(field);
    if (key != t.keys[int(target)].cend())
        return t.fields[int(source)].value(*key);
    if (t.onlyListed(field) || t.keys[int(source)].contains(field))
        return QString();
    return field;
}

QStringList listedFields(FormKind kind)
{
    return table().keys[int(kind)].keys();
}

void check(const QString &text)
{
    parse(text);
}

} // namespace SharedFields
