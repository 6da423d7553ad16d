// Parameter blocks: a class's parameters described once by a static ParamBlockDesc2, and one
// block (IParamBlock2) per object holding the values, their animation keys and the texture-map
// references. ClassDesc2 keeps a class's block descriptors and builds the automatic blocks.
#pragma once

#include <vector>

#include "color.h"
#include "iparamm2.h"
#include "maxtypes.h"
#include "paramtype.h"
#include "plugapi.h"
#include "point3.h"
#include "ref.h"

class Texmap;
class ClassDesc2;
class IParamBlock2;

#define PARAMETER_BLOCK2_CLASS_ID 0x82

// Block flags (the descriptor's flags argument).
// The parameters belong to the class, not to its objects.
#define P_CLASS_PARAMS 0x0001
// The owner's constructor builds the block (MakeAutoParamBlocks); followed by the owner's
// reference index for the block.
#define P_AUTO_CONSTRUCT 0x0002
// The host builds the block's rollout; followed by the dialog template ID, the title string
// ID, the test flag mask, the rollup flags and a ParamMap2UserDlgProc* (or null).
#define P_AUTO_UI 0x0004
// Followed by the block's version number.
#define P_VERSION 0x0008

// Parameter flags.
#define P_ANIMATABLE 0x0001
// Not saved with the scene.
#define P_TRANSIENT 0x0002
#define P_NO_INIT 0x0004
#define P_COMPUTED_NAME 0x0008
#define P_INVISIBLE 0x0010
// Reset to the default when the class's parameters are reset.
#define P_RESET_DEFAULT 0x0020
#define P_SUBANIM 0x0040
#define P_TV_SHOW_ALL 0x0080
#define P_NO_REF 0x0100
#define P_OWNERS_REF 0x0200
#define P_CAN_CONVERT 0x0400
#define P_SUBTEX 0x0800
// A table the user or a script can resize.
#define P_VARIABLE_SIZE 0x1000
#define P_READ_ONLY 0x2000

// Tags of a parameter's definition in the descriptor's argument list. The values lie outside
// the range of parameter IDs so that a missing p_end is caught.
enum ParamTags {
    // Ends a parameter's definition, and (in place of a parameter ID) the descriptor.
    p_end = 0x7FFF0000,
    // The default: a float, an int or a Color by value, after the parameter's type.
    p_default,
    // Low and high limit, both floats or both ints after the parameter's type.
    p_range,
    // The rollout control: a ControlType2 and its arguments.
    p_ui,
    // The values of a TYPE_RADIO control's buttons, one int per button; after p_ui.
    p_vals,
};

// A parameter value of any non-reference type: f for floats and angles, i for ints and
// booleans, c for colours and points.
struct PB2Value {
    float f = 0.0f;
    int i = 0;
    Color c = Color(0.0f, 0.0f, 0.0f);
};

// One parameter's definition. Numbers are as written in the descriptor, in the units the user
// enters: degrees for TYPE_ANGLE (the block stores radians, see ToStored).
struct ParamDef {
    ParamID ID = -1;
    const MCHAR* int_name = nullptr;
    ParamType2 type = TYPE_FLOAT;
    // Initial count of a table.
    int tab_size = 0;
    DWORD flags = 0;
    // String resource ID of the display name; 0 for none.
    StringResID local_name = 0;
    // The default; zero when the descriptor gives none.
    PB2Value def;
    bool has_range = false;
    PB2Value range_low, range_high;
    // Rollout control; ctrl_count is 0 when the parameter has none.
    ControlType2 ctrl_type = TYPE_SPINNER;
    int ctrl_count = 0;
    std::vector<int> ctrl_IDs;
    EditSpinnerType edit_type = EDITTYPE_FLOAT;
    float scale = 0.0f;
    // Values of the radio buttons, when p_vals gave them.
    std::vector<int> vals;

    bool IsTab() const { return (type & TYPE_TAB) != 0; }
    ParamType2 BaseType() const { return static_cast<ParamType2>(type & ~TYPE_TAB); }
    bool IsAnimatable() const { return (flags & P_ANIMATABLE) != 0; }
    // The value of radio button k: from p_vals, else k.
    int RadioValue(int k) const;
    // Converts an entered float to the stored unit and back (degrees and radians for angles,
    // unchanged otherwise).
    float ToStored(float entered) const;
    float ToShown(float stored) const;
};

// A request to redraw a parameter's control, recorded by InvalidateUI.
struct UIInvalidation {
    ParamID id;
    int tabIndex;
};

// A block descriptor. The argument list after flags is: the P_AUTO_CONSTRUCT, P_AUTO_UI and
// P_VERSION arguments in that order when those flags are set; then per parameter
//   ID, _M("name"), TYPE_xxx, [initial count for tables,] flags, label string ID,
//   tags..., p_end
// and a final p_end. A malformed list (unknown type or tag, a parameter without its p_end,
// a duplicate ID or name) is a programming error: construction prints what is wrong and
// aborts. The descriptor registers itself with cd (when not null).
class ParamBlockDesc2 : public MaxHeapOperators {
public:
    PB2Export ParamBlockDesc2(BlockID ID, const MCHAR* int_name, StringResID local_name,
                              ClassDesc2* cd, USHORT flags, ...);
    ParamBlockDesc2(const ParamBlockDesc2&) = delete;
    ParamBlockDesc2& operator=(const ParamBlockDesc2&) = delete;
    PB2Export ~ParamBlockDesc2();

    BlockID ID;
    const MCHAR* int_name;
    StringResID local_name;
    ClassDesc2* cd;
    USHORT flags;
    // Owner's reference index of an automatic block; -1 without P_AUTO_CONSTRUCT.
    int ref_no = -1;
    DWORD version = 0;
    // Automatic rollout; dlg_template is 0 without P_AUTO_UI.
    int dlg_template = 0;
    StringResID title = 0;
    int test_flags = 0;
    int rollup_flags = 0;
    ParamMap2UserDlgProc* dlgProc = nullptr;

    // Number of parameters; index i runs over them in definition order.
    PB2Export int Count() const;
    // -1 for an unknown ID, name or index.
    PB2Export int IDtoIndex(ParamID id) const;
    PB2Export ParamID IndextoID(int index) const;
    PB2Export int NameToIndex(const MCHAR* name) const;
    // The definition of a parameter; an unknown ID or index aborts (a programming error).
    PB2Export ParamDef& GetParamDef(ParamID id);
    PB2Export ParamDef& GetParamDefByIndex(int index);

    // Asks the rollout to redraw the control of parameter id (-1: all), entry tabIndex (-1:
    // all). Each call is recorded; the rollout machinery consumes the records.
    PB2Export void InvalidateUI(ParamID id = -1, int tabIndex = -1);
    PB2Export const std::vector<UIInvalidation>& GetUIInvalidations() const;
    PB2Export void ClearUIInvalidations();

    // Attaches the plug-in's dialog procedure to the rollout.
    PB2Export void SetUserDlgProc(ParamMap2UserDlgProc* proc = nullptr);
    PB2Export void SetUserDlgProc(MapID map_id, ParamMap2UserDlgProc* proc = nullptr);
    PB2Export ParamMap2UserDlgProc* GetUserDlgProc(MapID map_id = 0) const;

private:
    std::vector<ParamDef> paramdefs;
    std::vector<UIInvalidation> invalidations;
};

// One object's parameter values. Reads and writes address a parameter by ID and a table entry
// by tabIndex (ignored for non-tables). A call naming an unknown parameter, a value of the
// wrong kind or an entry outside the table fails: BOOL results are FALSE, Get* results zero,
// and nothing changes. The block never clamps; see SetValueEntered.
//
// Messages to the owner (and any other dependent): after a value change REFMSG_CHANGE; after a
// table's count changed (SetCount, ZeroCount, Delete, Insert, Append) first
// REFMSG_SUBANIM_STRUCTURE_CHANGED, then REFMSG_CHANGE. LastNotifyParamID names the parameter
// (and the entry) of the last message.
class IParamBlock2 : public ReferenceTarget {
public:
    virtual BlockID ID() = 0;
    virtual ParamBlockDesc2* GetDesc() = 0;
    virtual int NumParams() = 0;
    virtual ReferenceMaker* GetOwner() = 0;
    virtual ParamType2 GetParameterType(ParamID id) = 0;

    // The value at t. valid is intersected with the interval around t over which the value
    // holds: forever for an unanimated value.
    virtual BOOL GetValue(ParamID id, TimeValue t, float& v, Interval& valid, int tabIndex = 0) = 0;
    virtual BOOL GetValue(ParamID id, TimeValue t, int& v, Interval& valid, int tabIndex = 0) = 0;
    virtual BOOL GetValue(ParamID id, TimeValue t, Color& v, Interval& valid, int tabIndex = 0) = 0;
    virtual BOOL GetValue(ParamID id, TimeValue t, Point3& v, Interval& valid,
                          int tabIndex = 0) = 0;
    virtual BOOL GetValue(ParamID id, TimeValue t, Texmap*& v, Interval& valid,
                          int tabIndex = 0) = 0;

    // Sets the value. In animate mode an animatable parameter gets a key at t; otherwise the
    // value holds at all times (an animated parameter's keys are all shifted by the same
    // amount so that the value at t becomes v; a boolean's keys all take v).
    virtual BOOL SetValue(ParamID id, TimeValue t, float v, int tabIndex = 0) = 0;
    virtual BOOL SetValue(ParamID id, TimeValue t, int v, int tabIndex = 0) = 0;
    virtual BOOL SetValue(ParamID id, TimeValue t, const Color& v, int tabIndex = 0) = 0;
    virtual BOOL SetValue(ParamID id, TimeValue t, const Point3& v, int tabIndex = 0) = 0;
    // The block takes a reference to v and drops the previous map (deleted when nothing else
    // refers to it).
    virtual BOOL SetValue(ParamID id, TimeValue t, Texmap* v, int tabIndex = 0) = 0;

    virtual float GetFloat(ParamID id, TimeValue t = 0, int tabIndex = 0) = 0;
    virtual int GetInt(ParamID id, TimeValue t = 0, int tabIndex = 0) = 0;
    virtual Color GetColor(ParamID id, TimeValue t = 0, int tabIndex = 0) = 0;
    virtual Texmap* GetTexmap(ParamID id, TimeValue t = 0, int tabIndex = 0) = 0;

    // Tables. Count is 0 for a parameter that is not a table. SetCount cuts entries from the
    // end or appends entries at the parameter's default. Append and Insert add num entries
    // (copied from el, or defaults when el is null) and return the index of the first new one;
    // Delete removes up to num entries from start and returns the new count; all three return
    // -1 when they change nothing because an argument is invalid.
    virtual int Count(ParamID id) = 0;
    virtual void SetCount(ParamID id, int n) = 0;
    virtual void ZeroCount(ParamID id) = 0;
    virtual int Delete(ParamID id, int start, int num) = 0;
    virtual int Append(ParamID id, int num, Texmap** el, int allocExtra = 0) = 0;
    virtual int Append(ParamID id, int num, float* el, int allocExtra = 0) = 0;
    virtual int Append(ParamID id, int num, int* el, int allocExtra = 0) = 0;
    virtual int Insert(ParamID id, int at, int num, Texmap** el) = 0;
    virtual int Insert(ParamID id, int at, int num, float* el) = 0;
    virtual int Insert(ParamID id, int at, int num, int* el) = 0;
    // Reserves room for num entries; returns the room now reserved, -1 for a non-table.
    virtual int Resize(ParamID id, int num) = 0;
    virtual void Shrink(ParamID id) = 0;

    // The parameter named by the last message; -1 when none.
    virtual ParamID LastNotifyParamID() = 0;
    virtual ParamID LastNotifyParamID(int& tabIndex) = 0;

    // Animation keys of an animatable parameter (angles in radians). SetKey adds or replaces
    // the key at t without regard to animate mode and notifies like SetValue.
    virtual BOOL SetKey(ParamID id, TimeValue t, float v, int tabIndex = 0) = 0;
    virtual BOOL SetKey(ParamID id, TimeValue t, int v, int tabIndex = 0) = 0;
    virtual BOOL SetKey(ParamID id, TimeValue t, const Color& v, int tabIndex = 0) = 0;
    virtual int NumKeys(ParamID id, int tabIndex = 0) = 0;
    // Time of key k (keys in time order); TIME_NegInfinity for a missing key.
    virtual TimeValue GetKeyTime(ParamID id, int k, int tabIndex = 0) = 0;
    // Removes every key; the parameter keeps its value at t as its constant value.
    virtual BOOL DeleteKeys(ParamID id, TimeValue t, int tabIndex = 0) = 0;

    // Where the user or a script enters a value: the value is given in the shown unit (degrees
    // for angles), clamped to the parameter's range, then set with SetValue.
    PB2Export BOOL SetValueEntered(ParamID id, TimeValue t, float v, int tabIndex = 0);
    PB2Export BOOL SetValueEntered(ParamID id, TimeValue t, int v, int tabIndex = 0);
    // The value in the shown unit.
    PB2Export float GetFloatShown(ParamID id, TimeValue t = 0, int tabIndex = 0);
};

// Builds a block from pdesc for owner: every parameter at its default, tables at their initial
// count. The caller installs it (ReplaceReference).
PB2Export IParamBlock2* CreateParameterBlock2(ParamBlockDesc2* pdesc, ReferenceMaker* owner);

// A class descriptor that keeps the class's block descriptors.
class ClassDesc2 : public ClassDesc {
public:
    int NumParamBlockDescs() override;
    ParamBlockDesc2* GetParamBlockDesc(int i) override;
    ParamBlockDesc2* GetParamBlockDescByID(BlockID id) override;
    PB2Export ParamBlockDesc2* GetParamBlockDescByName(const MCHAR* name);
    void AddParamBlockDesc(ParamBlockDesc2* pbd) override;
    PB2Export void ClearParamBlockDescs();

    // Builds every P_AUTO_CONSTRUCT block and installs it as owner's reference ref_no.
    void MakeAutoParamBlocks(ReferenceMaker* owner) override;

    PB2Export void InvalidateUI(ParamBlockDesc2* pbd, ParamID id, int tabIndex = -1);
    bool SetUserDlgProc(ParamBlockDesc2* pbd, ParamMap2UserDlgProc* proc = nullptr) override;
    PB2Export bool SetUserDlgProc(ParamBlockDesc2* pbd, MapID map_id,
                                  ParamMap2UserDlgProc* proc = nullptr);

private:
    std::vector<ParamBlockDesc2*> pbDescs;
};
