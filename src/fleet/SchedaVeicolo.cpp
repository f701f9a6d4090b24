#include "SchedaVeicolo.h"

#include "storage/Attachments.h"

namespace rf {

const RecordLayout& TSchedaVeicolo()
{
    static const RecordLayout layout{{
                                         {"BiciNum", 30, "Bicicletta n."},
                                         {"Marca", 120, "Marca e modello:"},
                                         {"Telaio", 50, "Telaio n."},
                                         {"Misure", 250, "Misure:"},
                                         {"Taglia", 30, "Taglia:"},
                                         {"Anno", 20, "Anno costruzione:"},
                                         {"Colore", 50, "Colore:"},
                                         {"Freni", 120, "Freni:"},
                                         {"Pneumatici", 120, "Pneumatici:"},
                                         {"Stato", 50, "Stato veicolo:"},
                                         {"Valore", 50, "Valore attuale:"},
                                         {"Peso", 50, "Peso complessivo:"},
                                         {"Tariffa", 50, "Tipologia tariffa noleggio:"},
                                         {"Conteggio", 250, "Criterio conteggio:"},
                                         {"Eccedenza", 250, "Criterio calcolo eccedenza:"},
                                         {"Importo", 10, "Importo unitario:"},
                                         {"Compagnia", 120, "Compagnia assicurativa:"},
                                         {"TelAssicuratore", 50, "Tel. assicuratore:"},
                                         {"Polizza", 50, "Importo polizza:"},
                                         {"Accessori", 250, "Accessori forniti al cliente:"},
                                         {"Responsabile", 50, "Responsabile:"},
                                         {"TelResponsabile", 50, "Telefono:"},
                                         {"Meccanico", 50, "Meccanico:"},
                                         {"TelMeccanico", 50, "Telefono:"},
                                         {"Documenti", 250, "Documenti veicolo:"},
                                         {"Luogo", 50, "Luogo custodia:"},
                                         {"Note", 250, "Note:"},
                                     },
                                     attachmentFields()};
    return layout;
}

QString Fleet::vehicleLabel(const QString& number, const QString& make)
{
    return QStringLiteral("Bici n. ") + number + QStringLiteral("  ") + make;
}

} // namespace rf
