#include "form/catalogue.h"

namespace {

using K = ComponentKind;
using F = FontRole;

constexpr unsigned computedResult = RightAligned;

const CatalogueRow rows[] = {
    // The window's client area.
    {.number = 1, .name = "Panel1", .kind = K::TPanel, .container = nullptr, .geometry = {16, 16, 761, 1349}, .tab = 0,
     .color = 13624810, .bevel = Bevel::Raised},

    // Contents of Panel1.
    {.number = 2, .name = "RTFLabel7", .kind = K::TRTFLabel, .container = "Panel1", .geometry = {24, 16, 537, 105},
     .text = "BEVALLÁS A VÁLLALKOZÓK KOMMUNÁLIS ADÓJÁRÓL", .font = F::FormTitle},
    {.number = 3, .name = "Label4", .kind = K::TLabel, .container = "Panel1", .geometry = {592, 24, 138, 34},
     .text = "KRV11007", .font = F::FormNumber},
    {.number = 4, .name = "Panel4", .kind = K::TPanel, .container = "Panel1", .geometry = {24, 304, 705, 329}, .tab = 1,
     .bevel = Bevel::Lowered},

    // Section II: contents of Panel4.
    {.number = 5, .name = "LMDFill2", .kind = K::TLMDFill, .container = "Panel4", .geometry = {1, 0, 703, 27},
     .text = "    II. ADÓALAP, ADÓ", .font = F::Caption},
    {.number = 6, .name = "Label20", .kind = K::TLabel, .container = "Panel4", .geometry = {26, 48, 510, 17},
     .text = "Az adózó által foglalkoztatottak korrigált átlagos statisztikai állományi létszáma:"},
    {.number = 7, .name = "Label21", .kind = K::TLabel, .container = "Panel4", .geometry = {658, 48, 12, 17}, .text = "fő"},
    {.number = 8, .name = "Label26", .kind = K::TLabel, .container = "Panel4", .geometry = {658, 88, 12, 17}, .text = "fő"},
    {.number = 9, .name = "Label24", .kind = K::TLabel, .container = "Panel4", .geometry = {658, 128, 17, 17}, .text = "Ft."},
    {.number = 10, .name = "Label27", .kind = K::TLabel, .container = "Panel4", .geometry = {658, 168, 17, 17}, .text = "Ft."},
    {.number = 11, .name = "LMDLabel2", .kind = K::TLMDLabel, .container = "Panel4", .geometry = {24, 80, 459, 36},
     .text = "Önkormányzat illetékességi területén foglalkoztatottak korrigált átlagos statisztikai állományi létszáma:",
     .flags = WordWrap},
    {.number = 12, .name = "Label28", .kind = K::TLabel, .container = "Panel4", .geometry = {26, 200, 165, 17},
     .text = "Adófizetési kötelezettség:"},
    {.number = 13, .name = "Label29", .kind = K::TLabel, .container = "Panel4", .geometry = {517, 128, 132, 18},
     .text = "0", .font = F::LabelBold, .flags = computedResult, .label = "Label5", .unit = "Label24"},
    {.number = 14, .name = "Label31", .kind = K::TLabel, .container = "Panel4", .geometry = {26, 232, 195, 17},
     .text = "Adóelőlegre befizetett összeg:"},
    {.number = 15, .name = "Label33", .kind = K::TLabel, .container = "Panel4", .geometry = {322, 128, 33, 17}, .text = "Ft./fő"},
    {.number = 16, .name = "Label5", .kind = K::TLabel, .container = "Panel4", .geometry = {26, 128, 184, 17},
     .text = "Adóalapra jutó adó összege:"},
    {.number = 17, .name = "LMDLabel1", .kind = K::TLMDLabel, .container = "Panel4", .geometry = {24, 152, 483, 36},
     .text = "Kommunális beruházás miatt magánszemély által levonható kedvezmény összege (1995.évi XCVIII. tv. 10.§. (2) bek. alapján):",
     .flags = WordWrap},
    {.number = 18, .name = "Label10", .kind = K::TLabel, .container = "Panel4", .geometry = {658, 232, 17, 17}, .text = "Ft."},
    {.number = 19, .name = "Label14", .kind = K::TLabel, .container = "Panel4", .geometry = {26, 264, 303, 17},
     .text = "Feltöltési kötelezettség miatt befizetett összeg:"},
    {.number = 20, .name = "Label15", .kind = K::TLabel, .container = "Panel4", .geometry = {658, 264, 17, 17}, .text = "Ft."},
    {.number = 21, .name = "Label22", .kind = K::TLabel, .container = "Panel4", .geometry = {26, 296, 77, 17}, .text = "Különbözet:"},
    {.number = 22, .name = "Label23", .kind = K::TLabel, .container = "Panel4", .geometry = {517, 296, 132, 18},
     .text = "0", .font = F::LabelBold, .flags = computedResult, .label = "Label22", .unit = "Label25"},
    {.number = 23, .name = "Label25", .kind = K::TLabel, .container = "Panel4", .geometry = {658, 296, 17, 17}, .text = "Ft."},
    {.number = 24, .name = "Label9", .kind = K::TLabel, .container = "Panel4", .geometry = {517, 200, 132, 18},
     .text = "0", .font = F::LabelBold, .flags = computedResult, .label = "Label28", .unit = "Label30"},
    {.number = 25, .name = "Label30", .kind = K::TLabel, .container = "Panel4", .geometry = {658, 200, 17, 17}, .text = "Ft."},
    {.number = 26, .name = "PBNumEdit2", .kind = K::TPBNumEdit, .container = "Panel4", .geometry = {552, 88, 100, 21}, .tab = 1,
     .text = "0", .font = F::Window, .flags = RightAligned, .label = "LMDLabel2", .unit = "Label26"},
    {.number = 27, .name = "PBNumEdit4", .kind = K::TPBNumEdit, .container = "Panel4", .geometry = {552, 168, 100, 21}, .tab = 3,
     .text = "0", .font = F::Window, .flags = RightAligned, .label = "LMDLabel1", .unit = "Label27"},
    {.number = 28, .name = "PBNumEdit6", .kind = K::TPBNumEdit, .container = "Panel4", .geometry = {216, 128, 100, 21}, .tab = 2,
     .text = "2100", .font = F::Window, .flags = RightAligned | Disabled, .label = "Label5", .unit = "Label33"},
    {.number = 29, .name = "PBNumEdit5", .kind = K::TPBNumEdit, .container = "Panel4", .geometry = {552, 48, 100, 21}, .tab = 0,
     .text = "0", .font = F::Window, .flags = RightAligned, .label = "Label20", .unit = "Label21"},
    {.number = 30, .name = "PBNumEdit1", .kind = K::TPBNumEdit, .container = "Panel4", .geometry = {552, 232, 100, 21}, .tab = 4,
     .text = "0", .font = F::Window, .flags = RightAligned, .label = "Label31", .unit = "Label10"},
    {.number = 31, .name = "PBNumEdit7", .kind = K::TPBNumEdit, .container = "Panel4", .geometry = {552, 264, 100, 21}, .tab = 5,
     .text = "0", .font = F::Window, .flags = RightAligned, .label = "Label14", .unit = "Label15"},

    {.number = 32, .name = "Panel2", .kind = K::TPanel, .container = "Panel1", .geometry = {24, 88, 705, 201}, .tab = 0,
     .bevel = Bevel::Lowered},

    // Section I: contents of Panel2.
    {.number = 33, .name = "LMDFill1", .kind = K::TLMDFill, .container = "Panel2", .geometry = {1, 0, 703, 27},
     .text = "    I. BEVALLÁS", .font = F::Caption, .flags = InitiallyActive},
    {.number = 34, .name = "Label13", .kind = K::TLabel, .container = "Panel2", .geometry = {34, 120, 45, 17}, .text = "Egyéb:"},
    {.number = 35, .name = "Label17", .kind = K::TLabel, .container = "Panel2", .geometry = {34, 160, 113, 17},
     .text = "Bevallott időszak:"},
    {.number = 36, .name = "Label18", .kind = K::TLabel, .container = "Panel2", .geometry = {250, 160, 39, 17}, .text = "naptól"},
    {.number = 37, .name = "Label19", .kind = K::TLabel, .container = "Panel2", .geometry = {402, 160, 35, 17}, .text = "napig"},
    {.number = 38, .name = "LMDRadioGroup7", .kind = K::TLMDRadioGroup, .container = "Panel2", .geometry = {16, 48, 673, 57},
     .tab = 0, .text = "Benyújtásának oka:", .font = F::Caption, .items = "Bevallás\nZáró bevallás\nEgyéb", .columns = 3,
     .itemIndex = 0},
    {.number = 39, .name = "Edit9", .kind = K::TEdit, .container = "Panel2", .geometry = {88, 116, 601, 21}, .tab = 1,
     .font = F::Window, .flags = Disabled, .label = "Label13"},
    {.number = 40, .name = "DateTimePicker3", .kind = K::TDateTimePicker, .container = "Panel2", .geometry = {152, 159, 89, 20},
     .tab = 2, .font = F::Window, .year = 2010, .month = 1, .day = 1, .label = "Label17", .unit = "Label18"},
    {.number = 41, .name = "DateTimePicker4", .kind = K::TDateTimePicker, .container = "Panel2", .geometry = {304, 159, 89, 21},
     .tab = 3, .font = F::Window, .year = 2010, .month = 12, .day = 31, .label = "Label17", .unit = "Label19"},

    {.number = 42, .name = "Panel3", .kind = K::TPanel, .container = "Panel1", .geometry = {24, 648, 705, 681}, .tab = 2,
     .bevel = Bevel::Lowered},

    // Section III: contents of Panel3.
    {.number = 43, .name = "LMDFill3", .kind = K::TLMDFill, .container = "Panel3", .geometry = {1, 0, 703, 27},
     .text = "    III. ADÓALANY", .font = F::Caption, .flags = InitiallyActive},
    {.number = 44, .name = "Label1", .kind = K::TLabel, .container = "Panel3", .geometry = {24, 80, 167, 17},
     .text = "Adóalany neve (cégneve):"},
    {.number = 45, .name = "Label2", .kind = K::TLabel, .container = "Panel3", .geometry = {24, 112, 102, 17}, .text = "Születési helye:"},
    {.number = 46, .name = "Label7", .kind = K::TLabel, .container = "Panel3", .geometry = {24, 144, 34, 17}, .text = "Ideje:"},
    {.number = 47, .name = "Label6", .kind = K::TLabel, .container = "Panel3", .geometry = {24, 176, 226, 17},
     .text = "Anyja születési családi és utóneve:"},
    {.number = 48, .name = "Label3", .kind = K::TLabel, .container = "Panel3", .geometry = {24, 224, 118, 17}, .text = "Adóazonosító jele:"},
    {.number = 49, .name = "Label11", .kind = K::TLabel, .container = "Panel3", .geometry = {336, 224, 74, 17}, .text = "Adószáma:"},
    {.number = 50, .name = "Label12", .kind = K::TLabel, .container = "Panel3", .geometry = {24, 256, 137, 17},
     .text = "Statisztikai számjele:"},
    {.number = 51, .name = "Label131", .kind = K::TLabel, .container = "Panel3", .geometry = {24, 296, 181, 17},
     .text = "Pénzintézeti számlaszáma:"},
    {.number = 52, .name = "Label8", .kind = K::TLabel, .container = "Panel3", .geometry = {24, 616, 89, 17}, .text = "Telefonszám:"},
    {.number = 53, .name = "Label16", .kind = K::TLabel, .container = "Panel3", .geometry = {24, 648, 82, 17}, .text = "E-mail címe:"},
    {.number = 54, .name = "Edit3", .kind = K::TEdit, .container = "Panel3", .geometry = {136, 112, 545, 21}, .tab = 2, .font = F::Window,
     .label = "Label2"},
    {.number = 55, .name = "Edit2", .kind = K::TEdit, .container = "Panel3", .geometry = {200, 80, 481, 21}, .tab = 1, .font = F::Window,
     .label = "Label1"},
    {.number = 56, .name = "DateTimePicker6", .kind = K::TDateTimePicker, .container = "Panel3", .geometry = {136, 143, 89, 21},
     .tab = 3, .font = F::Window, .year = 2011, .month = 2, .day = 2, .label = "Label7"},
    {.number = 57, .name = "Edit7", .kind = K::TEdit, .container = "Panel3", .geometry = {256, 176, 425, 21}, .tab = 4, .font = F::Window,
     .label = "Label6"},
    {.number = 58, .name = "LMDMaskEdit3", .kind = K::TLMDMaskEdit, .container = "Panel3", .geometry = {176, 224, 100, 21}, .tab = 5,
     .text = "**********", .font = F::Window, .mask = "0000000000", .maxLength = 10, .blankChar = '*', .label = "Label3",
     .check = {CheckRule::TaxIdentificationNumber, "Adóazonosító jele"}},
    {.number = 59, .name = "LMDMaskEdit2", .kind = K::TLMDMaskEdit, .container = "Panel3", .geometry = {424, 224, 145, 21}, .tab = 6,
     .text = "********-*-**", .font = F::Window, .mask = "00000000\\-0\\-00", .maxLength = 13, .blankChar = '*',
     .label = "Label11",
     .check = {CheckRule::TaxNumber, "Adószáma"}},
    {.number = 60, .name = "LMDMaskEdit1", .kind = K::TLMDMaskEdit, .container = "Panel3", .geometry = {176, 256, 249, 21}, .tab = 7,
     .text = "********-****-***-**", .font = F::Window, .mask = "00000000\\-0000\\-000\\-00", .maxLength = 20, .blankChar = '*',
     .label = "Label12",
     .check = {CheckRule::StatisticalCode, "Statisztikai számjele"}},
    {.number = 61, .name = "LMDMaskEdit31", .kind = K::TLMDMaskEdit, .container = "Panel3", .geometry = {224, 296, 297, 21}, .tab = 8,
     .text = "********-********-********", .font = F::Window, .mask = "00000000\\-00000000\\-00000000", .maxLength = 26,
     .blankChar = '*', .label = "Label131",
     .check = {CheckRule::BankAccount, "Pénzintézeti számlaszáma"}},
    {.number = 62, .name = "LMDGroupBox1", .kind = K::TLMDGroupBox, .container = "Panel3", .geometry = {16, 336, 673, 121}, .tab = 9,
     .text = "Székhelye, lakóhelye", .font = F::Caption},

    // Seat or residence address: contents of LMDGroupBox1.
    {.number = 63, .name = "Label132", .kind = K::TLabel, .container = "LMDGroupBox1", .geometry = {570, 24, 87, 17}, .text = "város/község"},
    {.number = 64, .name = "Label133", .kind = K::TLabel, .container = "LMDGroupBox1", .geometry = {312, 56, 63, 17}, .text = "közterület"},
    {.number = 65, .name = "Label134", .kind = K::TLabel, .container = "LMDGroupBox1", .geometry = {557, 56, 100, 17},
     .text = "közterület jelleg"},
    {.number = 66, .name = "Label135", .kind = K::TLabel, .container = "LMDGroupBox1", .geometry = {72, 88, 61, 17}, .text = "házszám"},
    {.number = 67, .name = "Label136", .kind = K::TLabel, .container = "LMDGroupBox1", .geometry = {200, 88, 39, 17}, .text = "épület"},
    {.number = 68, .name = "Label137", .kind = K::TLabel, .container = "LMDGroupBox1", .geometry = {312, 88, 67, 17}, .text = "lépcsőház"},
    {.number = 69, .name = "Label138", .kind = K::TLabel, .container = "LMDGroupBox1", .geometry = {448, 88, 44, 17}, .text = "emelet"},
    {.number = 70, .name = "Label139", .kind = K::TLabel, .container = "LMDGroupBox1", .geometry = {568, 88, 23, 17}, .text = "ajtó"},
    {.number = 71, .name = "Label140", .kind = K::TLabel, .container = "LMDGroupBox1", .geometry = {18, 24, 87, 17}, .text = "Irányítószám:"},
    {.number = 72, .name = "LMDMaskEdit32", .kind = K::TLMDMaskEdit, .container = "LMDGroupBox1", .geometry = {112, 20, 41, 21}, .tab = 0,
     .text = "****", .font = F::Window, .mask = "0000", .maxLength = 9, .blankChar = '*', .label = "Label140",
     .check = {CheckRule::Postcode, "Székhely irányítószáma"}},
    {.number = 73, .name = "Edit75", .kind = K::TEdit, .container = "LMDGroupBox1", .geometry = {160, 20, 401, 21}, .tab = 1, .font = F::Window,
     .label = "Label132"},
    {.number = 74, .name = "Edit76", .kind = K::TEdit, .container = "LMDGroupBox1", .geometry = {16, 52, 289, 21}, .tab = 2, .font = F::Window,
     .label = "Label133"},
    {.number = 75, .name = "Edit77", .kind = K::TEdit, .container = "LMDGroupBox1", .geometry = {384, 52, 161, 21}, .tab = 3, .font = F::Window,
     .label = "Label134"},
    {.number = 76, .name = "Edit78", .kind = K::TEdit, .container = "LMDGroupBox1", .geometry = {16, 84, 49, 21}, .tab = 4, .font = F::Window,
     .label = "Label135"},
    {.number = 77, .name = "Edit79", .kind = K::TEdit, .container = "LMDGroupBox1", .geometry = {144, 84, 49, 21}, .tab = 5, .font = F::Window,
     .label = "Label136"},
    {.number = 78, .name = "Edit80", .kind = K::TEdit, .container = "LMDGroupBox1", .geometry = {256, 84, 49, 21}, .tab = 6, .font = F::Window,
     .label = "Label137"},
    {.number = 79, .name = "Edit81", .kind = K::TEdit, .container = "LMDGroupBox1", .geometry = {392, 84, 49, 21}, .tab = 7, .font = F::Window,
     .label = "Label138"},
    {.number = 80, .name = "Edit82", .kind = K::TEdit, .container = "LMDGroupBox1", .geometry = {504, 84, 49, 21}, .tab = 8, .font = F::Window,
     .label = "Label139"},

    {.number = 81, .name = "LMDGroupBox9", .kind = K::TLMDGroupBox, .container = "Panel3", .geometry = {16, 472, 673, 121}, .tab = 10,
     .text = "Levelezési címe", .font = F::Caption},

    // Postal address: contents of LMDGroupBox9, laid out like the seat address.
    {.number = 82, .name = "Label32", .kind = K::TLabel, .container = "LMDGroupBox9", .geometry = {570, 24, 87, 17}, .text = "város/község"},
    {.number = 83, .name = "Label34", .kind = K::TLabel, .container = "LMDGroupBox9", .geometry = {312, 56, 63, 17}, .text = "közterület"},
    {.number = 84, .name = "Label35", .kind = K::TLabel, .container = "LMDGroupBox9", .geometry = {557, 56, 100, 17},
     .text = "közterület jelleg"},
    {.number = 85, .name = "Label36", .kind = K::TLabel, .container = "LMDGroupBox9", .geometry = {72, 88, 61, 17}, .text = "házszám"},
    {.number = 86, .name = "Label37", .kind = K::TLabel, .container = "LMDGroupBox9", .geometry = {200, 88, 39, 17}, .text = "épület"},
    {.number = 87, .name = "Label38", .kind = K::TLabel, .container = "LMDGroupBox9", .geometry = {312, 88, 67, 17}, .text = "lépcsőház"},
    {.number = 88, .name = "Label39", .kind = K::TLabel, .container = "LMDGroupBox9", .geometry = {448, 88, 44, 17}, .text = "emelet"},
    {.number = 89, .name = "Label40", .kind = K::TLabel, .container = "LMDGroupBox9", .geometry = {568, 88, 23, 17}, .text = "ajtó"},
    {.number = 90, .name = "Label41", .kind = K::TLabel, .container = "LMDGroupBox9", .geometry = {18, 24, 87, 17}, .text = "Irányítószám:"},
    {.number = 91, .name = "LMDMaskEdit33", .kind = K::TLMDMaskEdit, .container = "LMDGroupBox9", .geometry = {112, 20, 41, 21}, .tab = 0,
     .text = "****", .font = F::Window, .mask = "0000", .maxLength = 9, .blankChar = '*', .label = "Label41",
     .check = {CheckRule::Postcode, "Levelezési cím irányítószáma"}},
    {.number = 92, .name = "Edit83", .kind = K::TEdit, .container = "LMDGroupBox9", .geometry = {160, 20, 401, 21}, .tab = 1, .font = F::Window,
     .label = "Label32"},
    {.number = 93, .name = "Edit84", .kind = K::TEdit, .container = "LMDGroupBox9", .geometry = {16, 52, 289, 21}, .tab = 2, .font = F::Window,
     .label = "Label34"},
    {.number = 94, .name = "Edit85", .kind = K::TEdit, .container = "LMDGroupBox9", .geometry = {384, 52, 161, 21}, .tab = 3, .font = F::Window,
     .label = "Label35"},
    {.number = 95, .name = "Edit86", .kind = K::TEdit, .container = "LMDGroupBox9", .geometry = {16, 84, 49, 21}, .tab = 4, .font = F::Window,
     .label = "Label36"},
    {.number = 96, .name = "Edit87", .kind = K::TEdit, .container = "LMDGroupBox9", .geometry = {144, 84, 49, 21}, .tab = 5, .font = F::Window,
     .label = "Label37"},
    {.number = 97, .name = "Edit88", .kind = K::TEdit, .container = "LMDGroupBox9", .geometry = {256, 84, 49, 21}, .tab = 6, .font = F::Window,
     .label = "Label38"},
    {.number = 98, .name = "Edit89", .kind = K::TEdit, .container = "LMDGroupBox9", .geometry = {392, 84, 49, 21}, .tab = 7, .font = F::Window,
     .label = "Label39"},
    {.number = 99, .name = "Edit90", .kind = K::TEdit, .container = "LMDGroupBox9", .geometry = {504, 84, 49, 21}, .tab = 8, .font = F::Window,
     .label = "Label40"},

    // The rest of section III.
    {.number = 100, .name = "Edit91", .kind = K::TEdit, .container = "Panel3", .geometry = {120, 612, 561, 21}, .tab = 11, .font = F::Window,
     .label = "Label8"},
    {.number = 101, .name = "Edit92", .kind = K::TEdit, .container = "Panel3", .geometry = {120, 644, 561, 21}, .tab = 12, .font = F::Window,
     .label = "Label16",
     .check = {CheckRule::Email, "E-mail címe"}},
    {.number = 102, .name = "CheckBox1", .kind = K::TCheckBox, .container = "Panel3", .geometry = {120, 48, 225, 17}, .tab = 0,
     .text = "Az adóalany magánszemély?", .flags = Checked},

    // Components without a place on screen.
    {.number = 103, .name = "AdvMainMenu1", .kind = K::TAdvMainMenu, .container = nullptr, .geometry = {}},
    {.number = 104, .name = "Nyomtats1", .kind = K::TMenuItem, .container = "AdvMainMenu1", .geometry = {}, .text = "Nyomtatás"},
    {.number = 105, .name = "Kitltsmentse1", .kind = K::TMenuItem, .container = "AdvMainMenu1", .geometry = {},
     .text = "Űrlap mentése"},
    {.number = 106, .name = "Kitltttrlapbetltse1", .kind = K::TMenuItem, .container = "AdvMainMenu1", .geometry = {},
     .text = "Kitöltött űrlap betöltése"},
    {.number = 107, .name = "Kilps1", .kind = K::TMenuItem, .container = "AdvMainMenu1", .geometry = {}, .text = "Kilépés"},
    {.number = 108, .name = "frxReport1", .kind = K::TfrxReport, .container = nullptr, .geometry = {}},
    {.number = 109, .name = "frxBarCodeObject1", .kind = K::TfrxBarCodeObject, .container = nullptr, .geometry = {}},
    {.number = 110, .name = "LbRijndael1", .kind = K::TLbRijndael, .container = nullptr, .geometry = {}},
};

} // namespace

std::span<const CatalogueRow> catalogue()
{
    return rows;
}

bool isField(ComponentKind kind)
{
    switch (kind) {
    case ComponentKind::TEdit:
    case ComponentKind::TPBNumEdit:
    case ComponentKind::TLMDMaskEdit:
    case ComponentKind::TDateTimePicker:
    case ComponentKind::TLMDRadioGroup:
    case ComponentKind::TCheckBox: return true;
    default: return false;
    }
}

const char *kindName(ComponentKind kind)
{
    switch (kind) {
    case K::TPanel: return "TPanel";
    case K::TLMDFill: return "TLMDFill";
    case K::TLMDGroupBox: return "TLMDGroupBox";
    case K::TRTFLabel: return "TRTFLabel";
    case K::TLabel: return "TLabel";
    case K::TLMDLabel: return "TLMDLabel";
    case K::TEdit: return "TEdit";
    case K::TPBNumEdit: return "TPBNumEdit";
    case K::TLMDMaskEdit: return "TLMDMaskEdit";
    case K::TDateTimePicker: return "TDateTimePicker";
    case K::TLMDRadioGroup: return "TLMDRadioGroup";
    case K::TCheckBox: return "TCheckBox";
    case K::TAdvMainMenu: return "TAdvMainMenu";
    case K::TMenuItem: return "TMenuItem";
    case K::TfrxReport: return "TfrxReport";
    case K::TfrxBarCodeObject: return "TfrxBarCodeObject";
    case K::TLbRijndael: return "TLbRijndael";
    }
    return "";
}
