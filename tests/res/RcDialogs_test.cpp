// The dialog tables that rc_dialogs.py generates, against what windres makes of the same script:
// trevano.rc, and escapes.rc with the text and style forms that trevano.rc does not use.
#include "TrevanoResources.h"

#include <gtest/gtest.h>

#include <QtCore>

#include <algorithm>

extern const ResourceTable g_escapesResources;

namespace {

// A zero-terminated UTF-16 string, or 0xFFFF and an ordinal as "#n".
QString Text(QDataStream& in) {
    QString text;
    quint16 c = 0;
    for (in >> c; c != 0 && !(text.isEmpty() && c == 0xFFFF); in >> c)
        text += QChar(c);
    return c == 0xFFFF ? (in >> c, "#" + QString::number(c)) : text;
}

// A DIALOGEX template, one line for the dialog and one for each control.
QString Compiled(const QByteArray& data) {
    QDataStream in(data);
    in.setByteOrder(QDataStream::LittleEndian);
    quint32 dwExStyle, dwStyle;
    quint16 nItems, nPointSize, nExtra;
    qint16 x, y, cx, cy;
    qint32 nId;
    in.skipRawData(8); // version, signature, help id
    in >> dwExStyle >> dwStyle >> nItems >> x >> y >> cx >> cy;
    Text(in), Text(in); // menu, window class
    QString out;
    QDebug(&out) << Qt::hex << dwExStyle << dwStyle << Qt::dec << x << y << cx << cy << Text(in);
    in >> nPointSize >> nExtra >> nExtra; // weight; italic, character set: all name a font
    QDebug(&out) << nPointSize << Text(in) << "\n";
    for (; nItems > 0; --nItems) {
        in.skipRawData(static_cast<int>(-in.device()->pos() & 3) + 4); // aligned; the help id
        in >> dwExStyle >> dwStyle >> x >> y >> cx >> cy >> nId;
        QString cls = Text(in).toUpper(); // windres names the class of a CONTROL statement
        if (cls.startsWith('#'))
            cls = QStringList{"BUTTON", "EDIT", "STATIC"}[cls.mid(1).toInt() - 0x80];
        QDebug(&out) << Qt::hex << dwExStyle << dwStyle << Qt::dec << x << y << cx << cy << nId
                     << cls << Text(in) << "\n";
        in >> nExtra;
        in.skipRawData(nExtra);
    }
    return out;
}

QString Generated(const ResourceTable& table, int nId) {
    // The classes of the kinds, in the order DialogItemKind names them.
    const QString kClasses[] = {"BUTTON", "BUTTON", "EDIT", "STATIC", "BUTTON", "STATIC", "STATIC"};
    const DialogTemplate* pFound =
        std::find_if(table.pDialogs, table.pDialogs + table.nDialogs,
                     [nId](const DialogTemplate& d) { return d.nId == nId; });
    if (pFound == table.pDialogs + table.nDialogs) return "no dialog " + QString::number(nId);
    const DialogTemplate& t = *pFound;
    QString out;
    QDebug(&out) << Qt::hex << t.dwExStyle << t.dwStyle << Qt::dec << t.x << t.y << t.cx << t.cy
                 << QString(t.pszCaption) << t.nPointSize << QString(t.pszFontName) << "\n";
    for (const DialogItemTemplate* p = t.pItems; p != t.pItems + t.nItems; ++p)
        QDebug(&out) << Qt::hex << p->dwExStyle << p->dwStyle << Qt::dec << p->x << p->y << p->cx
                     << p->cy << p->nId << kClasses[static_cast<int>(p->kind)]
                     << (p->nResource ? "#" + QString::number(p->nResource) : QString(p->pszText))
                     << "\n";
    return out;
}

} // namespace

TEST(RcDialogs, GeneratedTablesAreWhatWindresMakesOfTheSameScript) {
    const QTemporaryDir dir;
    for (auto [script, table] : {std::pair{TREVANO_RES_DIR "/trevano.rc", &g_trevanoResources},
                                 {TREVANO_TESTS_RES_DIR "/escapes.rc", &g_escapesResources}}) {
        SCOPED_TRACE(script);
        QFile res(dir.filePath("compiled.res"));
        ASSERT_EQ(QProcess::execute(TREVANO_WINDRES, {"-I", TREVANO_RES_DIR, "-O", "res", "-o",
                                                      res.fileName(), script}),
                  0);
        ASSERT_TRUE(res.open(QIODevice::ReadOnly));
        QDataStream in(&res);
        in.setByteOrder(QDataStream::LittleEndian);
        for (quint32 size, header; !in.atEnd(); res.seek((res.pos() + 3) & ~3)) { // each entry
            const qint64 start = res.pos();
            in >> size >> header;
            const QString type = Text(in), name = Text(in);
            res.seek(start + header);
            const QByteArray data = res.read(size);
            if (type != "#5") continue; // not a dialog
            EXPECT_EQ(Compiled(data).toStdString(),
                      Generated(*table, name.mid(1).toInt()).toStdString());
        }
    }
}
