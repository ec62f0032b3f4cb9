#pragma once

#include "form/checks/fieldcheck.h"

#include <QRect>
#include <cstdint>
#include <span>

// The content of the declaration window as data: every component in component order, a container
// before its contents. The builder turns the rows into widgets; adding a field means adding a row.

enum class ComponentKind {
    TPanel,
    TLMDFill,
    TLMDGroupBox,
    TRTFLabel,
    TLabel,
    TLMDLabel,
    TEdit,
    TPBNumEdit,
    TLMDMaskEdit,
    TDateTimePicker,
    TLMDRadioGroup,
    TCheckBox,
    TAdvMainMenu,
    TMenuItem,
    TfrxReport,
    TfrxBarCodeObject,
    TLbRijndael,
};

const char *kindName(ComponentKind kind);

// The kinds that hold a value the user enters: the fields.
bool isField(ComponentKind kind);

enum class FontRole {
    Window,     // entry fields: "MS Sans Serif", 11 px
    Label,      // labels and the check box: "Arial", 15 px
    LabelBold,  // the computed results
    Caption,    // section headers, group boxes, the option group: "Tahoma", 13 px, bold
    FormTitle,  // "Arial", 20 pt, bold
    FormNumber, // "Arial", 29 px, bold
};

enum class Bevel { None, Raised, Lowered };

enum RowFlag : unsigned {
    NoFlags = 0,
    Disabled = 1u << 0,
    RightAligned = 1u << 1,
    WordWrap = 1u << 2,
    Checked = 1u << 3,
    InitiallyActive = 1u << 4,
};

struct CatalogueRow
{
    int number;               // position in the component order, from 1
    const char *name;         // the component's name, exactly as other code spells it
    ComponentKind kind;
    const char *container;    // name of the containing component; nullptr for the window itself
    QRect geometry;           // in pixels at a window-font text height of 13 pixels
    int tab = -1;             // position in the container's tab order; -1 when it takes no focus
    const char *text = "";    // caption, text, initial numeric text or menu caption (UTF-8)
    FontRole font = FontRole::Label;
    unsigned flags = NoFlags;
    std::int64_t color = -1;  // colour value (red lowest byte); -1 for the container's colour
    Bevel bevel = Bevel::None;
    const char *mask = "";    // masked fields
    int maxLength = 0;
    char blankChar = 0;
    const char *items = "";   // option group: options separated by '\n'
    int columns = 0;
    int itemIndex = -1;
    int year = 0, month = 0, day = 0; // date fields
    const char *label = nullptr; // the label beside a field or computed result that names it
    const char *unit = nullptr;  // the label after it that gives its unit ("fő", "Ft.")
    FieldCheck check = {};    // the rule that looks for typing mistakes in the field's value
};

// All 110 components in component order.
std::span<const CatalogueRow> catalogue();

// The window's client-area content ends at the bottom edge of Panel1.
constexpr int scrollingExtent = 16 + 1349;
