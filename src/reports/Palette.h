#pragma once

#include <QRgb>

namespace rf::Style {

// Every colour once, on screen and on paper: its name is Style::Name in code and @Name in a
// window's style sheet.
#define RF_STYLE_COLOURS(X)                                                                                  \
    X(White, 0xFFFFFFFF)                                                                                     \
    X(FocusYellow, 0xFFFFFF00) /* the edit that has the focus */                                             \
    X(IdleFill, 0xFFF0F8FF)    /* alice blue, almost every edit */                                           \
    X(WhiteFill, White)        /* the fleet window's lower panels */                                         \
    X(EditBorder, 0xFF87CEEB)  /* sky blue */                                                                \
    X(StatusStrip, 0xFF3030DD)                                                                               \
    X(SteelBlue, 0xFF4682B4)      /* top of most window gradients, accents */                                \
    X(SteelBlueDark, 0xFF3A6E99)  /* accent button under the pointer */                                      \
    X(SteelBlueFaded, 0xFFA9BFD3) /* accent button not available */                                          \
    X(DeepBlue, 0xFF427AA8)       /* top of the contracts and vehicle-sheet gradients */                     \
    X(LinkBlue, 0xFF00008B)                                                                                  \
    X(LinkPressed, 0xFFFFA500)                                                                               \
    X(Ink, 0xFF1F2A44)  /* dark text on light backgrounds */                                                 \
    X(Navy, 0xFF1F3A68) /* field captions of the contract card */                                            \
    X(PanelBorder, 0xFF8FAFCB)                                                                               \
    X(ToolbarRule, 0xFFB0C4DE) /* light steel blue */                                                        \
    X(Mist, 0xFFC8D6E3)        /* section fills, separators */                                               \
    X(BlockFill, 0xFFE0E9F1)                                                                                 \
    X(CardBorder, 0xFFC4D6E7)                                                                                \
    X(SheetBorder, 0xFFC5D5E4)                                                                               \
    X(ReadOnlyFill, 0xFFF4F6F8)                                                                              \
    X(ReadOnlyText, 0xFF808080)                                                                              \
    X(Crimson, 0xFFDC143C)                                                                                   \
    X(DarkCyan, 0xFF008B8B)                                                                                  \
    X(Brown, 0xFFA52A2A)                                                                                     \
    X(Lavender, 0xFFD9D2F0)  /* a free day of the planning grid */                                           \
    X(BookedRed, 0xFFFE0510) /* a booked day */                                                              \
    X(BookedBorder, 0xFFFE7A80)                                                                              \
    X(FreeGreen, 0xFF1B7F2A)        /* availability: a vehicle free on every day */                          \
    X(PartlyAmber, 0xFFB06A00)      /* availability: booked on some days */                                  \
    X(TakenRed, 0xFFC62828)         /* booked on every day; a rental past its end */                         \
    X(UnreadableViolet, 0xFF7B1FA2) /* availability: a planning file that cannot be read */                  \
    X(UnplannableGrey, 0xFF616161)  /* availability: a number no planning file can have */                   \
    X(DarkBlue, 0xFF00008B)                                                                                  \
    X(Black, 0xFF000000)                                                                                     \
    X(FilterTop, 0xFF96BAD7) /* top of the search filters' gradient */                                       \
    X(DarkBrown, 0xFF352525)                                                                                 \
    X(NavigationBar, 0xFF2B5C87)                                                                             \
    X(NavigationRule, 0xFF1F4566)                                                                            \
    X(HeaderFill, 0xFFDDE8F3)                                                                                \
    X(WeekendRed, 0xFFB02020)                                                                                \
    X(AlertRed, 0xFFE04040)                                                                                  \
    X(Shadow, 0x3C1F2A44)       /* ink at a quarter strength */                                              \
    X(PanelWash, 0xC8FFFFFF)    /* white panels over a gradient */                                           \
    X(HoverWash, 0x284682B4)    /* steel blue tint under the pointer */                                      \
    X(LightWash, 0x32FFFFFF)    /* white tint under the pointer on dark bars */                              \
    X(FocusRing, 0xFF0B4F9C)    /* the frame round the control the keyboard is on */                         \
    X(WeekendShade, 0xFFE9EEF5) /* the booking board's Saturdays and Sundays */                              \
    X(BoardRule, 0xFFD3DDE8)    /* the booking board's day and row lines */                                  \
    X(PrintedRule, 0xFFB8C4D0)  /* the printed board's day and row lines */                                  \
    X(UnknownFill, 0xFFF1E4F5)  /* the printed board's days whose bookings are not known */                  \
    X(WorkshopFill, 0xFFFFF1D6) /* days a vehicle spends in the workshop */                                  \
    X(WorkshopInk, 0xFFB35C00)

#define RF_DECLARE_COLOUR(name, value) inline constexpr QRgb name = value;
RF_STYLE_COLOURS(RF_DECLARE_COLOUR)
#undef RF_DECLARE_COLOUR

} // namespace rf::Style
