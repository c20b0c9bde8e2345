// The colours of each look of dish, and the vessel it comes in.
#include "DishParts.h"

namespace demodata::dishparts {

Palette paletteFor(Look look)
{
    switch (look) {
    case Look::Cold:
        return {QColor(0x7c, 0xb3, 0x42),
                QColor(0xc6, 0x28, 0x28),
                QColor(0xa3, 0x1c, 0x12),
                QColor(0xfa, 0xf3, 0xe0),
                Vessel::Plate,
                false};
    case Look::Spicy:
        return {QColor(0xc0, 0x39, 0x2b),
                QColor(0xe6, 0x7e, 0x22),
                QColor(0x8e, 0x1b, 0x10),
                QColor(0x43, 0xa0, 0x47),
                Vessel::Plate,
                true};
    case Look::StirFry:
        return {QColor(0xc9, 0x8b, 0x3a),
                QColor(0x5a, 0xa4, 0x54),
                QColor(0x7a, 0x4a, 0x1e),
                QColor(0xe5, 0x39, 0x35),
                Vessel::Plate,
                true};
    case Look::Braised:
        return {QColor(0x9a, 0x3f, 0x1f),
                QColor(0xc0, 0x6e, 0x24),
                QColor(0x5d, 0x24, 0x10),
                QColor(0x66, 0xbb, 0x6a),
                Vessel::Plate,
                true};
    case Look::GriddlePot:
        return {QColor(0xb8, 0x4a, 0x2a),
                QColor(0xe0, 0xa0, 0x30),
                QColor(0x7a, 0x1f, 0x12),
                QColor(0x2e, 0x7d, 0x32),
                Vessel::Pan,
                true};
    case Look::Seafood:
        return {QColor(0xf0, 0x80, 0x60),
                QColor(0xf7, 0xc6, 0xa3),
                QColor(0xd9, 0xa4, 0x5a),
                QColor(0x7c, 0xb3, 0x42),
                Vessel::Plate,
                true};
    case Look::Soup:
        return {QColor(0xe2, 0xb4, 0x5a),
                QColor(0xf5, 0xe3, 0xb5),
                QColor(0xd9, 0xa0, 0x40),
                QColor(0x4c, 0xaf, 0x50),
                Vessel::Bowl,
                true};
    case Look::Staple:
        return {QColor(0xf6, 0xea, 0xd2),
                QColor(0xa0, 0x52, 0x2d),
                QColor(0xe8, 0xd3, 0xa8),
                QColor(0x43, 0xa0, 0x47),
                Vessel::Bowl,
                true};
    case Look::DimSum:
        return {QColor(0xf7, 0xec, 0xd6), QColor(0xf4, 0xb6, 0xa0), QColor(0xe9, 0xdc, 0xc0),
                QColor(0xe5, 0x73, 0x73), Vessel::Steamer,          true};
    case Look::Beer:
        return {QColor(0xf2, 0xb2, 0x33), QColor(0xff, 0xfa, 0xf0), QColor(0x2e, 0x6b, 0x30),
                QColor(0xff, 0xff, 0xff), Vessel::Drinks,           false};
    case Look::Liquor:
        return {QColor(0x8e, 0x1b, 0x3a), QColor(0xf3, 0xea, 0xd8), QColor(0xb7, 0x1c, 0x1c),
                QColor(0xff, 0xd5, 0x4f), Vessel::Drinks,           false};
    case Look::SoftDrink:
        return {QColor(0xff, 0x98, 0x00), QColor(0xff, 0xe0, 0xb2), QColor(0xd3, 0x2f, 0x2f),
                QColor(0x8b, 0xc3, 0x4a), Vessel::Drinks,           false};
    case Look::Tea:
        return {QColor(0xc8, 0xa8, 0x4b), QColor(0x7b, 0x4a, 0x3a), QColor(0x9e, 0x7b, 0x2f),
                QColor(0x7c, 0xb3, 0x42), Vessel::TeaSet,           true};
    case Look::SetMeal:
        return {QColor(0xc0, 0x39, 0x2b),
                QColor(0xf6, 0xea, 0xd2),
                QColor(0xe2, 0xb4, 0x5a),
                QColor(0x43, 0xa0, 0x47),
                Vessel::Tray,
                true};
    case Look::Dessert:
        return {QColor(0xff, 0xc9, 0x4a),
                QColor(0xff, 0xf3, 0xe0),
                QColor(0xff, 0xe9, 0xb0),
                QColor(0xe5, 0x39, 0x35),
                Vessel::Bowl,
                false};
    case Look::OpenItem:
        return {QColor(0xc9, 0x8b, 0x3a), QColor(0xe0, 0xe0, 0xe0), QColor(0x9e, 0x9e, 0x9e),
                QColor(0x43, 0xa0, 0x47), Vessel::Cloche,           false};
    }
    return paletteFor(Look::StirFry);
}

} // namespace demodata::dishparts
