#include "cli/usage_text.h"

namespace tamrel::cli {

const char* shortUsage() {
    return "usage: tamrel-cli --mn MN --pn PN --zg ZG --bog BOG [--zmg ZMG] [--dpg DPG]\n"
           "                  --ref Xn|W|M|Sn --value VALUE [--upper S1] [--lower S2]\n"
           "                  [--auto | --dkg DKG --drg DRG] [--json] [--locale NAME]\n"
           "       tamrel-cli --csv FILE|- [--locale NAME]\n"
           "       tamrel-cli --help\n";
}

const char* helpText() {
    return R"(tamrel-cli - convert one measure of involute gear tooth size into all others

Usage:
  tamrel-cli --mn MN --pn PN --zg ZG --bog BOG [--zmg ZMG] [--dpg DPG]
             --ref Xn|W|M|Sn --value VALUE [--upper S1] [--lower S2]
             [--auto | --dkg DKG --drg DRG] [--json] [--locale NAME]
  tamrel-cli --csv FILE|- [--locale NAME]
  tamrel-cli --help

One gear is converted exactly as the Tamrel window converts it: every value is
typed into its field as given, the reference quantity is selected, and one
compute run fills in the results. Values are not checked here; the run checks
them and reports a wrong one in its message line.

Gear:
  --mn MN        normal module in mm; a negative value is a diametral pitch
  --pn PN        normal pressure angle in degrees
  --zg ZG        number of teeth; negative for an internal gear
  --bog BOG      helix angle in degrees; 0 for a spur gear
  --zmg ZMG      number of teeth spanned; required for W, optional otherwise
  --dpg DPG      pin or ball diameter in mm; required for M, optional otherwise
                 (an omitted --zmg or --dpg leaves its field empty)

Reference measure:
  --ref Q        the measure given: Xn (profile shift coefficient), W (span
                 measurement), M (dimension over pins or balls) or Sn (normal
                 tooth thickness)
  --value V      its value
  --upper S1     upper tolerance, signed (default 0)
  --lower S2     lower tolerance, signed; type it negative when it lies below
                 the value (default 0)

Tip and root diameters:
  --auto         set them from the conversion (the default)
  --dkg DKG      tip diameter as typed; turns --auto off
  --drg DRG      root diameter as typed; turns --auto off

Output:
  (default)      the grid of the window: a row per measure with the reference
                 value, both deviations and the MID, MAX and MIN results, then
                 the tip and root diameters and the message line
  --json         one JSON object whose keys are the window's field names
                 (TextS(0) ... TextS2(3), TextSXn ... TextSSn2, TextDKG,
                 TextDRG, TextError) and whose values are their texts

Batch:
  --csv FILE     convert one gear per row of a CSV file ("-" reads standard
                 input) and write a CSV to standard output. The first row names
                 the columns: mn, pn, zg, bog, ref and value are required;
                 zmg, dpg, upper, lower, dkg and drg are optional. A row with
                 dkg or drg filled in has AUTO off. Each output row holds the
                 input line number, the input columns and the text of every
                 field after the run. A run that ends with a message carries it
                 in TextError; a row that cannot be read (wrong number of
                 fields, unknown ref, misplaced quote) is not run and its
                 TextError says why, with its line number. On a terminal,
                 progress of a long batch is shown on standard error.

Numbers:
  --locale NAME  read and write numbers with the decimal separator of locale
                 NAME (e.g. de_DE.UTF-8 for ","); the default is ".". The
                 locale must be installed (see locale -a).

Exit status:
  0  the conversion ran, whether or not it ended with a message
  1  the output could not be written
  2  unusable arguments, an unknown locale, or an input file that cannot be
     read or has no usable header row
)";
}

}  // namespace tamrel::cli
