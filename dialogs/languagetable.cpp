#include "dialogs/languagetable.h"

#include "dialogs/dialogs.h"

#include <array>

namespace MessDlgs {

namespace {

using LanguageRow = std::array<const char *, languageEntryCount>;

// Rows in the order of the Language enumeration. Columns: input box Cancel; titles for warning,
// error, information, confirmation, custom; Yes, No, OK, Cancel, Abort, Retry, Ignore, All,
// No to all, Yes to all, Help.
constexpr std::array<LanguageRow, languageCount> languageTable = {{
    {"Cancel", "Warning", "Error", "Information", "Confirm", "", "Yes", "No", "OK", "Cancel", "Abort", "Retry",
     "Ignore", "All", "No to all", "Yes to all", "Help"},
    {"Отмена", "Предупреждение", "Ошибка", "Информация", "Подтверждение", "", "Да", "Нет", "OK", "Отмена",
     "Прервать", "Повторить", "Пропустить", "Все", "Нет для всех", "Да для всех", "Справка"},
    {"Cancelar", "Aviso", "Erro", "Informação", "Confirmação", "", "Sim", "Não", "OK", "Cancelar", "Abortar",
     "Repetir", "Ignorar", "Todos", "Não para todos", "Sim para todos", "Ajuda"},
    {"İptal", "Uyarı", "Hata", "Bilgi", "Onay", "", "Evet", "Hayır", "Tamam", "İptal", "Durdur", "Yeniden dene",
     "Yoksay", "Tümü", "Tümüne hayır", "Tümüne evet", "Yardım"},
    {"Abbrechen", "Warnung", "Fehler", "Information", "Bestätigung", "", "Ja", "Nein", "OK", "Abbrechen", "Abbruch",
     "Wiederholen", "Ignorieren", "Alle", "Nein für alle", "Ja für alle", "Hilfe"},
    {"Annuleren", "Waarschuwing", "Fout", "Informatie", "Bevestigen", "", "Ja", "Nee", "OK", "Annuleren",
     "Afbreken", "Opnieuw", "Negeren", "Alles", "Nee op alles", "Ja op alles", "Help"},
    {"Annuler", "Avertissement", "Erreur", "Information", "Confirmation", "", "Oui", "Non", "OK", "Annuler",
     "Abandonner", "Réessayer", "Ignorer", "Tous", "Non à tout", "Oui à tout", "Aide"},
    {"Άκυρο", "Προειδοποίηση", "Σφάλμα", "Πληροφορίες", "Επιβεβαίωση", "", "Ναι", "Όχι", "OK", "Άκυρο",
     "Διακοπή", "Επανάληψη", "Παράβλεψη", "Όλα", "Όχι σε όλα", "Ναι σε όλα", "Βοήθεια"},
    {"Cancelar", "Advertencia", "Error", "Información", "Confirmación", "", "Sí", "No", "Aceptar", "Cancelar",
     "Anular", "Reintentar", "Omitir", "Todos", "No a todo", "Sí a todo", "Ayuda"},
    {"Annulla", "Avviso", "Errore", "Informazione", "Conferma", "", "Sì", "No", "OK", "Annulla", "Interrompi",
     "Riprova", "Ignora", "Tutti", "No a tutti", "Sì a tutti", "Guida"},
    {"Mégsem", "Figyelmeztetés", "Hiba", "Információ", "Megerősítés", "", "Igen", "Nem", "OK", "Mégsem",
     "Megszakít", "Újra", "Kihagy", "Mind", "Mindre nem", "Mindre igen", "Súgó"},
    {"Anulare", "Avertisment", "Eroare", "Informaţii", "Confirmare", "", "Da", "Nu", "OK", "Anulare", "Abandon",
     "Reîncercare", "Ignorare", "Toate", "Nu la toate", "Da la toate", "Ajutor"},
}};

} // namespace

QString languageText(int language, int entry)
{
    const int row = language >= 0 && language < languageCount ? language : English;
    return QString::fromUtf8(languageTable[row].at(entry));
}

} // namespace MessDlgs
