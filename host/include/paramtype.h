// Parameter types, rollout control types and spinner edit types of block descriptors.
#pragma once

// A table variant of a type is the type plus TYPE_TAB.
#define TYPE_TAB 2048

enum ParamType2 {
    TYPE_FLOAT = 0,
    TYPE_INT = 1,
    // A Color (r, g, b floats).
    TYPE_RGBA = 2,
    TYPE_POINT3 = 3,
    // Stored as an int, 0 or 1.
    TYPE_BOOL = 4,
    // Stored in radians, entered and shown in degrees.
    TYPE_ANGLE = 5,
    // A reference to a texture map; the block holds it as one of its references.
    TYPE_TEXMAP = 16,

    TYPE_FLOAT_TAB = TYPE_FLOAT + TYPE_TAB,
    TYPE_INT_TAB = TYPE_INT + TYPE_TAB,
    TYPE_RGBA_TAB = TYPE_RGBA + TYPE_TAB,
    TYPE_POINT3_TAB = TYPE_POINT3 + TYPE_TAB,
    TYPE_BOOL_TAB = TYPE_BOOL + TYPE_TAB,
    TYPE_ANGLE_TAB = TYPE_ANGLE + TYPE_TAB,
    TYPE_TEXMAP_TAB = TYPE_TEXMAP + TYPE_TAB,
};

// The control a parameter is bound to in its rollout (the p_ui tag).
enum ControlType2 {
    // Edit field with spinner: EDITTYPE_x, edit ID, spinner ID, scale (SPIN_AUTOSCALE or step).
    TYPE_SPINNER = 0x100,
    // Radio buttons: count, then one control ID per button (values from p_vals, else 0..n-1).
    TYPE_RADIO,
    // Check box (sic, as the host spells it): one control ID.
    TYPE_SINGLECHEKBOX,
    // Colour swatch: one control ID.
    TYPE_COLORSWATCH,
    // Texture map button: one control ID.
    TYPE_TEXMAPBUTTON,
};

// What a spinner's edit field accepts.
enum EditSpinnerType {
    EDITTYPE_INT = 1,
    EDITTYPE_FLOAT,
    EDITTYPE_UNIVERSE,
    EDITTYPE_POS_INT,
    EDITTYPE_POS_FLOAT,
    EDITTYPE_POS_UNIVERSE,
    EDITTYPE_TIME,
};

// Spinner scale that lets the spinner choose its own step.
#define SPIN_AUTOSCALE -1.0f
