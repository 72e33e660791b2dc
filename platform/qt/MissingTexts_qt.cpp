// Italian for the few texts of Qt's dialogs that Qt's own Italian catalogue lacks: Qt 6 moved
// the file types of its file dialog to a context of their own, which the catalogue does not
// have yet, so a folder showed as "Folder".
#include "WindowImpl_qt.h"

#include <QCoreApplication>
#include <QTranslator>

#include <cstring>

namespace {

struct MissingText {
    const char* pszContext;
    const char* pszSource;
    const char* pszItalian;
};

// The translations are those that Qt's catalogue gives the same words in their old context.
const MissingText kMissingTexts[] = {
    {"QAbstractFileIconProvider", "Folder", "Cartella"},
    {"QAbstractFileIconProvider", "File Folder", "Cartella di file"},
    {"QAbstractFileIconProvider", "Drive", "Unità"},
    {"QAbstractFileIconProvider", "File", "File"},
    {"QAbstractFileIconProvider", "Shortcut", "Scorciatoia"},
    {"QAbstractFileIconProvider", "Alias", "Alias"},
    {"QAbstractFileIconProvider", "Unknown", "Sconosciuto"},
};

class MissingTexts : public QTranslator {
public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return false; }

    QString translate(const char* pszContext, const char* pszSource, const char*,
                      int) const override {
        for (const MissingText& t : kMissingTexts)
            if (std::strcmp(t.pszContext, pszContext) == 0 &&
                std::strcmp(t.pszSource, pszSource) == 0)
                return QString::fromUtf8(t.pszItalian);
        return QString();
    }
};

} // namespace

void InstallMissingItalianTexts() {
    // Installed after Qt's catalogue, so asked first; it holds only what that one lacks.
    QCoreApplication::installTranslator(new MissingTexts(QCoreApplication::instance()));
}
