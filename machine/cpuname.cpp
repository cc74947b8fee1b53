/* Names the processor from its CPUID answers, and words the Computer field. */
#include "cpu.h"
#include "textfmt.h"

/* Vendor strings as the three little-endian register words. */
#define VENDOR_GENU 0x756E6547u
#define VENDOR_INEI 0x49656E69u
#define VENDOR_NTEL 0x6C65746Eu
#define VENDOR_AUTH 0x68747541u
#define VENDOR_ENTI 0x69746E65u
#define VENDOR_CAMD 0x444D4163u

/* Top bit of the extended model and low seven bits of the extended family. */
#define SIGNATURE_EXTENDED_BITS 0x07F80000u

struct KindName {
    int         Kind;
    const char *Name;
};

static const KindName KindNames[] = {
    { CPU_KIND_INTEL_UNKNOWN, "INTEL CPU - Unknown" },
    { CPU_KIND_I486DX,        "i486DX" },
    { CPU_KIND_I486SX,        "i486SX" },
    { CPU_KIND_I486DX2,       "i486DX2" },
    { CPU_KIND_I486DX2E,      "i486DX2E" },
    { CPU_KIND_I486DX4,       "i486DX4" },
    { CPU_KIND_I486SL,        "i486SL" },
    { CPU_KIND_PENTIUM,       "Pentium" },
    { CPU_KIND_PENTIUM_MMX,   "Pentium with MMX" },
    { CPU_KIND_PENTIUM_PRO,   "PentiumPRO" },
    { CPU_KIND_PENTIUM_II,    "Pentium II" },
    { CPU_KIND_PENTIUM_III,   "Pentium III" },
    { CPU_KIND_CELERON,       "Celeron" },
    { CPU_KIND_PENTIUM_4,     "Pentium 4" },
    { CPU_KIND_PENTIUM_III_XEON, "Pentium III Xeon" },
    { CPU_KIND_PENTIUM_XEON,  "Pentium Xeon" },
    { CPU_KIND_AMD_UNKNOWN,   "AMD CPU - Unknown" },
    { CPU_KIND_AM486,         "Am486" },
    { CPU_KIND_AMD_K5,        "AMD K5" },
    { CPU_KIND_AMD_K6,        "AMD K6" },
    { CPU_KIND_AMD_K6_2,      "AMD K6 2" },
    { CPU_KIND_AMD_K6_3,      "AMD K6 3" },
    { CPU_KIND_ATHLON,        "ATHLON" },
    { CPU_KIND_DURON,         "DURON" },
};

static int JudgeIntel(DWORD brandIndex, DWORD family, DWORD model, DWORD signature)
{
    /* Later Pentium III, Celeron, Xeon and Pentium 4 parts say what they are
       in the brand index, which outranks the family and model. */
    switch (brandIndex) {
    case 1:  return CPU_KIND_CELERON;
    case 2:  return CPU_KIND_PENTIUM_III;
    case 3:  return CPU_KIND_PENTIUM_III_XEON;
    case 4:  return CPU_KIND_PENTIUM_III;
    case 8:  return CPU_KIND_PENTIUM_4;
    case 14: return CPU_KIND_PENTIUM_XEON;
    default: break;
    }

    switch (family) {
    case 4:
        switch (model) {
        case 0: case 1: return CPU_KIND_I486DX;
        case 2:         return CPU_KIND_I486SX;
        case 3:         return CPU_KIND_I486DX2;
        case 4:         return CPU_KIND_I486SL;
        case 5:         return CPU_KIND_I486_NAMELESS;
        case 7:         return CPU_KIND_I486DX2E;
        case 8:         return CPU_KIND_I486DX4;
        default:        break;
        }
        break;
    case 5:
        switch (model) {
        case 1: case 2: case 3: return CPU_KIND_PENTIUM;
        case 4: case 8:         return CPU_KIND_PENTIUM_MMX;
        default:                break;
        }
        break;
    case 6:
        switch (model) {
        case 1:         return CPU_KIND_PENTIUM_PRO;
        case 3: case 5: return CPU_KIND_PENTIUM_II;
        case 6:         return CPU_KIND_CELERON;
        case 7: case 8: return CPU_KIND_PENTIUM_III;
        default:        break;
        }
        break;
    case 15:
        if (model == 0 && (signature & SIGNATURE_EXTENDED_BITS) == 0)
            return CPU_KIND_PENTIUM_4;
        break;
    default:
        break;
    }
    return CPU_KIND_INTEL_UNKNOWN;
}

static int JudgeAmd(DWORD family, DWORD model)
{
    switch (family) {
    case 4:
        return CPU_KIND_AM486;
    case 5:
        if (model <= 3) return CPU_KIND_AMD_K5;
        if (model <= 7) return CPU_KIND_AMD_K6;
        if (model == 8) return CPU_KIND_AMD_K6_2;
        return CPU_KIND_AMD_K6_3;
    case 6:
        return model == 3 ? CPU_KIND_DURON : CPU_KIND_ATHLON;
    default:
        return CPU_KIND_AMD_UNKNOWN;
    }
}

int JudgeProcessor(const ProcessorIdData *id)
{
    /* Unread data has no vendor to judge either. */
    if (id->Status != CPUID_STATUS_READ)
        return CPU_KIND_NONE;

    DWORD family = (id->Signature >> 8) & 0xF;
    DWORD model = (id->Signature >> 4) & 0xF;
    const DWORD *v = id->VendorWords;

    if (v[0] == VENDOR_GENU && v[1] == VENDOR_INEI && v[2] == VENDOR_NTEL)
        return JudgeIntel(id->BrandWord & 0xFF, family, model, id->Signature);
    if (v[0] == VENDOR_AUTH && v[1] == VENDOR_ENTI && v[2] == VENDOR_CAMD)
        return JudgeAmd(family, model);
    return CPU_KIND_OTHER_VENDOR;
}

const char *ProcessorKindName(int kind)
{
    for (unsigned i = 0; i < sizeof KindNames / sizeof KindNames[0]; ++i)
        if (KindNames[i].Kind == kind)
            return KindNames[i].Name;
    return "Unknown CPU";
}

void FormatComputerText(char *out, const char *prefix, const char *name, DWORD mhz)
{
    if (mhz == 0)
        FormatBounded(out, COMPUTER_TEXT_SIZE, "%s%s ?MHz", prefix, name);
    else if (mhz < 1000)
        FormatBounded(out, COMPUTER_TEXT_SIZE, "%s%s %dMHz", prefix, name, mhz);
    else if (mhz % 1000 != 0)
        FormatBounded(out, COMPUTER_TEXT_SIZE, "%s%s %d.%03dGHz", prefix, name, mhz / 1000, mhz % 1000);
    else
        FormatBounded(out, COMPUTER_TEXT_SIZE, "%s%s %dGHz", prefix, name, mhz / 1000);
}
