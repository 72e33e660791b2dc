#include "FileException.h"

#include <gtest/gtest.h>

TEST(FileException, MessageOfEachCauseNamesTheFile) {
    using E = CFileException;
    const std::pair<int, const char*> cases[] = {
        {E::none, "Non si è verificato alcun errore."},
        {E::genericException, "Si è verificato un errore sconosciuto durante l'accesso a f."},
        {E::fileNotFound, "f non trovato."},
        {E::badPath, "f contiene un percorso non valido."},
        {E::tooManyOpenFiles, "Non è stato possibile aprire f poiché vi sono troppi file aperti."},
        {E::accessDenied, "Accesso a f negato."},
        {E::invalidFile, "Un gestore di file non valido è stato associato a f."},
        {E::removeCurrentDir, "Impossibile rimuovere f poiché è la directory corrente."},
        {E::directoryFull, "Impossibile creare f poiché la directory è piena."},
        {E::badSeek, "Ricerca fallita su f"},
        {E::hardIO, "Nell'accesso a f è stato registrato un errore hardware di I/O. "},
        {E::sharingViolation,
         "Durante l'accesso a f si è verificata una violazione di condivisione."},
        {E::lockViolation, "Durante l'accesso a f si è verificata una violazione di blocco."},
        {E::diskFull, "Disco pieno durante l'accesso a f."},
        // "È" as its UTF-8 bytes, which the messages of the program are.
        {E::endOfFile, "\xC3\x88 stato fatto un tentativo di accedere a f oltre la sua fine."},
        {15, "Si è verificato un errore sconosciuto durante l'accesso a f."},
        {-1, "Si è verificato un errore sconosciuto durante l'accesso a f."},
    };
    for (const auto& [nCause, pszExpected] : cases)
        EXPECT_EQ(CFileException(nCause, -1, "f").GetErrorMessage(), pszExpected) << nCause;
    EXPECT_EQ(CFileException(E::fileNotFound).GetErrorMessage(), "un file senza nome non trovato.");
    EXPECT_EQ(CFileException(E::badPath, 3, "").GetErrorMessage(),
              "un file senza nome contiene un percorso non valido.");
}
