#include "FileException.h"

#include <gtest/gtest.h>

namespace {

const char* const kPath = "C:\\Disegni\\scafo.dxf";

std::string MessageFor(int cause, const char* pszFileName = kPath) {
    return CFileException(cause, -1, pszFileName).GetErrorMessage().Str();
}

} // namespace

TEST(FileException, MessageOfEveryCauseNamesTheFile) {
    EXPECT_EQ(MessageFor(CFileException::none), "Non si è verificato alcun errore.");
    EXPECT_EQ(MessageFor(CFileException::genericException),
              "Si è verificato un errore sconosciuto durante l'accesso a C:\\Disegni\\scafo.dxf.");
    EXPECT_EQ(MessageFor(CFileException::fileNotFound), "C:\\Disegni\\scafo.dxf non trovato.");
    EXPECT_EQ(MessageFor(CFileException::badPath),
              "C:\\Disegni\\scafo.dxf contiene un percorso non valido.");
    EXPECT_EQ(MessageFor(CFileException::tooManyOpenFiles),
              "Non è stato possibile aprire C:\\Disegni\\scafo.dxf poiché vi sono troppi file "
              "aperti.");
    EXPECT_EQ(MessageFor(CFileException::accessDenied), "Accesso a C:\\Disegni\\scafo.dxf negato.");
    EXPECT_EQ(MessageFor(CFileException::invalidFile),
              "Un gestore di file non valido è stato associato a C:\\Disegni\\scafo.dxf.");
    EXPECT_EQ(MessageFor(CFileException::removeCurrentDir),
              "Impossibile rimuovere C:\\Disegni\\scafo.dxf poiché è la directory corrente.");
    EXPECT_EQ(MessageFor(CFileException::directoryFull),
              "Impossibile creare C:\\Disegni\\scafo.dxf poiché la directory è piena.");
    EXPECT_EQ(MessageFor(CFileException::badSeek), "Ricerca fallita su C:\\Disegni\\scafo.dxf");
    EXPECT_EQ(MessageFor(CFileException::hardIO),
              "Nell'accesso a C:\\Disegni\\scafo.dxf è stato registrato un errore hardware di "
              "I/O. ");
    EXPECT_EQ(MessageFor(CFileException::sharingViolation),
              "Durante l'accesso a C:\\Disegni\\scafo.dxf si è verificata una violazione di "
              "condivisione.");
    EXPECT_EQ(MessageFor(CFileException::lockViolation),
              "Durante l'accesso a C:\\Disegni\\scafo.dxf si è verificata una violazione di "
              "blocco.");
    EXPECT_EQ(MessageFor(CFileException::diskFull),
              "Disco pieno durante l'accesso a C:\\Disegni\\scafo.dxf.");
    EXPECT_EQ(MessageFor(CFileException::endOfFile),
              "È stato fatto un tentativo di accedere a C:\\Disegni\\scafo.dxf oltre la sua fine.");
}

TEST(FileException, MessagesAreUtf8BytesAsWritten) {
    // "è" is the two bytes C3 A8, "È" C3 88.
    EXPECT_EQ(MessageFor(CFileException::none).size(), 34u);
    EXPECT_EQ(MessageFor(CFileException::none).substr(7, 2), "\xC3\xA8");
    EXPECT_EQ(MessageFor(CFileException::endOfFile, "x").substr(0, 2), "\xC3\x88");
}

TEST(FileException, HardwareErrorMessageEndsInASpace) {
    std::string msg = MessageFor(CFileException::hardIO, "a.dxf");
    ASSERT_FALSE(msg.empty());
    EXPECT_EQ(msg.back(), ' ');
    EXPECT_EQ(msg.substr(msg.size() - 6), " I/O. ");
}

TEST(FileException, ErrorWithoutNameSaysUnnamedFile) {
    EXPECT_EQ(MessageFor(CFileException::fileNotFound, nullptr), "un file senza nome non trovato.");
    EXPECT_EQ(MessageFor(CFileException::diskFull, ""),
              "Disco pieno durante l'accesso a un file senza nome.");
    EXPECT_EQ(CFileException().GetErrorMessage(), "Non si è verificato alcun errore.");
}

TEST(FileException, CauseOutsideTheTableReadsAsUnspecified) {
    const char* pszGeneric = "Si è verificato un errore sconosciuto durante l'accesso a x.";
    EXPECT_EQ(MessageFor(15, "x"), pszGeneric);
    EXPECT_EQ(MessageFor(-1, "x"), pszGeneric);
    EXPECT_EQ(MessageFor(1000, "x"), pszGeneric);
    EXPECT_STREQ(CFileException::MessageForCause(99),
                 "Si è verificato un errore sconosciuto durante l'accesso a %1.");
}

TEST(FileException, MessageForCauseKeepsThePlaceholder) {
    EXPECT_STREQ(CFileException::MessageForCause(CFileException::fileNotFound), "%1 non trovato.");
}

TEST(FileException, ThrownExceptionsCarryCauseCodeAndName) {
    try {
        AfxThrowFileException(CFileException::diskFull, 28, "out.csv");
        FAIL() << "nothing thrown";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::diskFull);
        EXPECT_EQ(e.m_lOsError, 28);
        EXPECT_EQ(e.m_strFileName, "out.csv");
    }
    EXPECT_THROW(AfxThrowMemoryException(), CMemoryException);
    EXPECT_EQ(CMemoryException().GetErrorMessage(), "Memoria insufficiente.");
}
