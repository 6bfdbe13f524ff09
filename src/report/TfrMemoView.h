#pragma once
// TfrMemoView: a text box. Besides the common fields it carries its font,
// alignment, line and character spacing and the highlight data of the stream.
#include "TfrStretcheable.h"

#include <QFont>

class TfrMemoView : public TfrStretcheable {
public:
    TfrMemoView();
    quint8 Typ() const override { return gtMemo; }
    QString ClassName() const override { return QStringLiteral("TfrMemoView"); }

    bool SetPropertyByName(const QString &name, const QVariant &value) override;
    QVariant GetPropertyByName(const QString &name) const override;

    bool WordWrap() const { return Flags & flWordWrap; }
    bool TextOnly() const { return Flags & flTextOnly; }

    QString FontName = QStringLiteral("Arial");
    qint32 FontSize = 10;
    quint16 FontStyle = 0;
    qint32 FontColor = clBlack;
    qint32 Alignment = 0;
    quint16 Charset = 1;
    QByteArray Highlight = QByteArray(10, '\0');
    QString HighlightStr;
    qint32 LineSpacing = 2;
    qint32 CharacterSpacing = 0;
};
