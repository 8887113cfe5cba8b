#pragma once

#include "support/catalogue_writer.h"

namespace ixo::test {

// A small catalogue with one or more records for every kind, shared by the store and lookup tests.
// Scripts hold the pin counts the fake element classes of the tests report ("ENTRADAS", "SALIDAS",
// "DERIVACIONES"); "MALFORMED" makes the fake creators throw.
inline CatalogueWriter SampleCatalogue() {
    CatalogueWriter writer;
    writer.Family(1000, "Coaxial", "Cables")
        .Family(2001, "Repartidores interior", "repartidores")
        .Family(2002, "Repartidores exterior", "REPARTIDORES")
        .Family(3000, "Conectores F", "Conector")
        .Family(3500, "Cargas", "Cargas")
        .Family(4923, "Cabecera terrestre", "Amplificadores")
        .Family(4930, "Amplificadores FI", "Amplificadores")
        .Family(5001, "Multiswitch cascadable", "Ms", 8)
        .Family(5005, "Multiswitch cabecera", "Ms", 8)
        .Family(5023, "Multiswitch 5x8", "Ms", 3)
        .Family(5030, "Multiswitch antiguo", "Ms", 8, "OBS")
        .Family(5040, "Multiswitch 9x", "Ms", 8)
        .Family(5400, "Multiswitch obsoleto propio", "Ms", 3, "OBS")
        .Family(5500, "DiSEqC", "Ms")
        .Family(6000, "Tomas", "Tomas")
        .Family(7000, "Fuentes", "Fuentes")
        .Family(7500, "Inyectores", "Fuentes")
        .Family(8000, "Antenas", "Antenas")
        .Family(10001, "IF terrestre", "Especiales")
        .Family(39010, "Amplificadores de linea", "Amplificadores")
        .Family(100000, "Entrada de vivienda", "Especiales");

    writer.Element("Cables", MakeElement(1, 1000, "T100", "ATEN=0,2;0,3"))
        .Element("Repartidores", MakeElement(1, 2001, "SPL-2", "ENTRADAS=1\r\nSALIDAS=2"))
        .Element("Repartidores", MakeElement(2, 2001, "SPL-4", "ENTRADAS=1\r\nSALIDAS=4\r\nDERIVACIONES=1"))
        .Element("Repartidores", MakeElement(3, 2001, "SPL-BAD", "MALFORMED=1"))
        .Element("Repartidores", MakeElement(4, 2002, "SPL-X", "ENTRADAS=1\r\nSALIDAS=3"))
        .Element("Conector", MakeElement(1, 3000, "F-CON"))
        .Element("Cargas", MakeElement(1, 3500, "LOAD-75"))
        .Element("Tomas", MakeElement(1, 6000, "TOMA-1"))
        .Element("Amplificadores", MakeElement(1, 4923, "CAB-T"))
        .Element("Amplificadores", MakeElement(2, 39010, "LIN-30"))
        .Element("Amplificadores", MakeElement(3, 4930, "AMP-FI"))
        .Element("Ms", MakeElement(1, 5001, "MS-5x8", "ENTRADAS=5\r\nSALIDAS=8"))
        .Element("Ms", MakeElement(2, 5500, "DSQ-2"))
        .Element("Antenas", MakeElement(1, 8000, "ANT-80"))
        .Element("Especiales", MakeElement(1, 100000, "PAU"))
        .Element("Especiales", MakeElement(2, 10001, "IFT-1"))
        .Element("Especiales", MakeElement(3, 12345, "NOTHING"))
        .Element("Fuentes", MakeElement(1, 7000, "PSU-1"))
        .Element("Fuentes", MakeElement(2, 7500, "INY-1"));

    writer.Article(1, "MS-5x8", "ART-0001", "Multiswitch 5 entradas 8 salidas")
        .Article(2, "SPL-2", "ART-0002", "Repartidor 2 salidas");
    return writer;
}

} // namespace ixo::test
