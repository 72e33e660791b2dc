#include "FileException.h"

#include <iterator>

namespace {

const char* const g_apszCauseMessages[] = {
    "Non si è verificato alcun errore.",
    "Si è verificato un errore sconosciuto durante l'accesso a %1.",
    "%1 non trovato.",
    "%1 contiene un percorso non valido.",
    "Non è stato possibile aprire %1 poiché vi sono troppi file aperti.",
    "Accesso a %1 negato.",
    "Un gestore di file non valido è stato associato a %1.",
    "Impossibile rimuovere %1 poiché è la directory corrente.",
    "Impossibile creare %1 poiché la directory è piena.",
    "Ricerca fallita su %1",
    "Nell'accesso a %1 è stato registrato un errore hardware di I/O. ",
    "Durante l'accesso a %1 si è verificata una violazione di condivisione.",
    "Durante l'accesso a %1 si è verificata una violazione di blocco.",
    "Disco pieno durante l'accesso a %1.",
    "È stato fatto un tentativo di accedere a %1 oltre la sua fine.",
};

} // namespace

const char* CFileException::MessageForCause(int cause) {
    if (cause < 0 || cause >= static_cast<int>(std::size(g_apszCauseMessages)))
        cause = genericException;
    return g_apszCauseMessages[cause];
}

CString CFileException::GetErrorMessage() const {
    CString msg;
    msg.FormatMessage1(MessageForCause(m_cause),
                       m_strFileName.IsEmpty() ? "un file senza nome" : m_strFileName.GetString());
    return msg;
}

void AfxThrowMemoryException() {
    throw CMemoryException();
}

void AfxThrowFileException(int cause, long lOsError, const char* pszFileName) {
    throw CFileException(cause, lOsError, pszFileName);
}
