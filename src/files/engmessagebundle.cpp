#include "files/engmessagebundle.h"

namespace {

constexpr TBundleText ENG_TEXTS[] = {
    {"scheme", "Scheme"},
    {"contrast", "Contrast"},
    {"sequence up", "Sequence Up"},
    {"sequence down", "Sequence Down"},
    {"rel. sequence up", "Rel. Sequence Up"},
    {"rel. sequence down", "Rel. Sequence Down"},
    {"variation", "Variation"},
    {"repeat", "Repeat"},
    {"rel. variation", "Rel. Variation"},
    {"rel. repeat", "Rel. Repeat"},
    {"rhythm", "Rhythm"},
    {"rel. rhythm", "Rel. Rhythm"},
    {"piece", "Parts"},
    {"other", "Other"},
    {"rel. piece", "Rel. Parts"},
    {"rel. other", "Rel. Other"},
    {"period", "Period"},
    {"sentence", "Sentence"},
    {"phrase", "Phrase"},
    {"bar", "bar"},
    {"fast menu", "Fast Menu"},
    {"contrast motive", "Motive For Contrast"},
    {"close", "Close"},
    {"scheme mode", "Mode:"},
    {"motive", "Motive"},
    {"minor", "Minor"},
    {"major", "Major"},
    {"duration before measure bar", "Duration before the measure bar:"},
    {"duration after measure bar", "Duration after the measure bar:"},
    {"phrase big", "PHRASE"},
    {"phrase small", "Phrase"},
    {"save error", "The error occurs while saving of the file"},
    {"error", "Error"},
    {"open error", "Unable to open file"},
    {"the file", "The file"},
    {"already exists", " already exists. Replace?"},
    {"warning", "Warning"},
    {"temp", "Tempo:"},
    {"midi device list error", "The error occurs while loading of the Midi Devices list"},
    {"there are no devices", "There are no MIDI devices"},
    {"open midi error", "Cannot open MIDI output device"},
    {"output lost", "The MIDI output %1 was lost: its sound server stopped or the device went "
                    "away. Playback has stopped; choose another output under Tools > Midi "
                    "Devices."},
    {"settings error", "The chosen MIDI device cannot be remembered: the settings file cannot be "
                       "written"},
    {"dynamic help error",
     "There was an error. To execute given demonstration script it is impossible"},
    {"dynamic help canceled", "CANCELLING"},
    {"dynamic help restore error",
     "The demonstration could not open your composition again. Your work is kept in this file:"},
    {"step by step start warning",
     "Current edited melody will be closed after start of step-by-step help"},
    {"new", "New"},
    {"save", "Save"},
    {"open", "Open"},
    {"play", "Play"},
    {"stop", "Stop play"},
    {"small dur gen", "Generate the rhythm scheme from short durations"},
    {"big dur gen", "Generate the rhythm scheme from long durations"},
    {"contrast small/big dur gen",
     "Generate the scheme contrast to Motive for Contrast, in 'short / long durations' category"},
    {"plavniy dur gen", "Generate uniform rhythm scheme"},
    {"otrivistiy dur gen", "Generate non-uniform rhythm scheme"},
    {"contrast plav/otr dur gen", "Generate the scheme contrast to Motive for Contrast, in "
                                  "'uniform / non-uniform rhythm' category"},
    {"slow to fast dur gen", "Generate the rhythm scheme where durations are decreased from "
                             "beginning of measure to the end"},
    {"fast to slow dur gen", "Generate the rhythm scheme where durations are increased from "
                             "beginning of measure to the end"},
    {"contrast fts/stf dur gen",
     "Generate the scheme contrast to Motive for Contrast, in 'decrease / increase of duration to "
     "the end of measure' category"},
    {"with space dur gen", "Generate the scheme of durations with pauses"},
    {"without space dur gen", "Generate the scheme of durations without pauses"},
    {"contrast with/without space dur gen", "Generate the scheme contrast to Motive for Contrast, "
                                            "in 'rhythm with pauses / without pauses' category"},
    {"one dur gen", "Generate the scheme of durations from single duration"},
    {"many dur gen", "Generate the scheme of durations from several duration"},
    {"contrast one/many dur gen", "Generate the scheme contrast to Motive for Contrast, in 'rhythm "
                                  "from single / several durations' category"},
    {"clear dur scheme", "Delete all durations from the rhythm scheme"},
    {"default dur scheme", "Default the rhythm scheme"},
    {"random dur scheme", "Generate the rhythm scheme randomly"},
    {"turn dur scheme", "Invert current rhythm scheme, only if the mode - in order"},
    {"random current dur scheme",
     "Mix durations of current rhythm scheme, only if the mode - in order"},
    {"motive for contrast", "Drag and drop motive on this figure to define Motive for Contrast"},
    {"show motive for contrast", "Show Motive for Contrast"},
    {"scheme mode in order", "In order"},
    {"scheme mode in order hint", "Use the items one after another in this order; they may "
                                  "repeat, and the rhythm may hold rests"},
    {"scheme mode as set", "As a set"},
    {"scheme mode as set hint", "Use the items in any order, each value once; a rhythm set holds "
                                "no rests"},
    {"rhythm gatherer hint", "The rhythm scheme: drag durations here (or press Enter on one), "
                             "drag them along to reorder, Ctrl-click to select several, Delete "
                             "to remove, or drop a motive to take its rhythm"},
    {"pitch gatherer hint", "The pitch scheme: drag turns here (or press Enter on one), drag "
                            "them along to reorder, Ctrl-click to select several, Delete to "
                            "remove, or drop a motive to take its turns"},
    {"deleter hint", "Drag items of the scheme here to delete them, with the items selected "
                     "beside them"},
    {"rests hint", "Show the rests instead of the notes (in order only)"},
    {"rest item", "Rest"},
    {"small turn gen", "Generate the pitch scheme from turns consisting from small intervals"},
    {"big turn gen", "Generate the pitch scheme from turns consisting from large intervals"},
    {"contrast small/big turn gen", "Generate the scheme contrast to Motive for Contrast, in "
                                    "'turns from small / large intervals' category"},
    {"plav turn gen", "Generate uniform pitch scheme"},
    {"otr turn gen", "Generate non-uniform pitch scheme"},
    {"contrast plav/otr turn gen",
     "Generate the scheme contrast to Motive for Contrast, in 'uniform / non-uniform' category"},
    {"chord turn gen", "Generate the pitch scheme only from chord turns"},
    {"nonchord turn gen", "Generate the pitch scheme only from non-chord turns"},
    {"contrast chord/nonchord turn gen", "Generate the scheme contrast to Motive for Contrast, in "
                                         "'from chord / non-chord turns' category"},
    {"picture1 chord turn gen", "Generate the pitch scheme with a figure: chord - non-chord turn"},
    {"picture2 chord turn gen", "Generate the pitch scheme with a figure: non-chord - chord turn"},
    {"contrast picture1/picture2 turn gen",
     "Generate the scheme contrast to Motive for Contrast, in 'chord - non-chord / non-chord - "
     "chord turn' category"},
    {"one turn gen", "Generate the pitch scheme only from single turn"},
    {"many turn gen", "Generate the pitch scheme from several turns"},
    {"contrast one/many turn gen", "Generate the scheme contrast to Motive for Contrast, in 'the "
                                   "scheme from single / several turns' category"},
    {"clear turn scheme", "Delete all turns from the pitch scheme"},
    {"default turn scheme", "Default pitch scheme"},
    {"random turn scheme", "Generate the pitch scheme randomly"},
    {"turn turn scheme", "Invert current pitch scheme, only if the mode - in order"},
    {"random current turn scheme",
     "Mix turns of current pitch scheme, only if the mode - in order"},
    {"drag drop for ryhtm", "Drag and drop motive on this figure to define the rhythm scheme"},
    {"current motive rythm scheme", "Show the rhythm scheme of current motive"},
    {"drag drop for pitch", "Drag and drop motive on this figure to define the pitch scheme"},
    {"current motive turn scheme", "Show the pitch scheme of current motive"},
    {"select chord and notes", "Select chords and notes"},
    {"select notes", "Select notes"},
    {"select chords", "Select chords"},
    {"select chords under notes", "Choose a chord for current notes"},
    {"delete notes", "Delete notes"},
    {"generate motive", "Generate motive"},
    {"translate dur from motive",
     "Take the rhythm scheme from current motive, setup default pitch scheme, select notes"},
    {"translate template default turn",
     "Setup default pitch scheme, select notes, show the notes of motive which it is possible to "
     "drag and drop on this area"},
    {"translate template",
     "Select notes, show the notes of motive which it is possible to drag and drop on this area"},
    {"translate template delete all",
     "Delete the pitch scheme, delete the rhythm scheme, select notes, show the notes of motive "
     "which it is possible to drag and drop on this area"},
    {"move to right", "Move to the next motive"},
    {"move to left", "Move to the previous motive"},
    {"close fast menu", "Close Fast Menu"},
    {"play all", "Play all"},
    {"more", "More"},
    {"scheme hint", "Drop a motive here to take its rhythm and pitch schemes; press to edit the "
                    "schemes"},
    {"contrast hint", "Drop a motive here to make it the Motive for Contrast"},
    {"sequence up hint", "Drop a motive here: it comes back one, two and three steps higher"},
    {"sequence down hint", "Drop a motive here: it comes back one, two and three steps lower"},
    {"rel. sequence up hint", "Drop a motive here and choose chords for a variant: its design "
                              "rises by one, two and three chord steps"},
    {"rel. sequence down hint", "Drop a motive here and choose chords for a variant: its design "
                                "falls by one, two and three chord steps"},
    {"variation hint", "Drop a motive here: three variations of its turns"},
    {"repeat hint", "Drop a motive here: it comes back at its height and an octave higher and "
                    "lower"},
    {"rel. variation hint", "Drop a motive here and choose chords for a variant: its rhythm and "
                            "turns varied under the new chords"},
    {"rel. repeat hint", "Drop a motive here and choose chords for a variant: its design under "
                         "the new chords, at its height and an octave away"},
    {"rhythm hint", "Drop a motive here: its notes in three new rhythms"},
    {"rel. rhythm hint", "Drop a motive here and choose chords for a variant: its design under "
                         "the new chords in new rhythms"},
    {"piece hint", "Drop a motive here: three parts of it, with notes left out"},
    {"other hint", "Drop a motive here: it inverted, played backwards and mixed"},
    {"rel. piece hint", "Drop a motive here and choose chords for a variant: parts of its design "
                        "under the new chords"},
    {"rel. other hint", "Drop a motive here and choose chords for a variant: its design mirrored, "
                        "backwards and mixed under the new chords"},
    {"play variant hint", "Play this variant"},
    {"more hint", "Three new variants; the earlier ones stay behind each variant's back button"},
    {"play all hint", "Play the three variants one after another"},
    {"variant hint", "Drag this variant by its handle onto a motive of the period to take it"},
    {"no variants", "This technique gives no variants for this motive."},
    {"choose chords for variants",
     "Choose chords under a variant: the variants are built on them."},
    {"demo1", "How to select the notes for motive"},
    {"demo2", "How to select the notes of motive through Fast Menu"},
    {"demo3", "How to select a chord and its location"},
    {"demo4", "How to select a chord and its location through Fast Menu"},
    {"demo5", "How to use simple (without Rel. prefix) ways of motive development"},
    {"demo6", "How to use relative (with Rel. prefix) ways of motive development"},
    {"demo7", "How to customize the rhythm scheme"},
    {"demo8", "Pitch scheme description"},
    {"demo9", "How to edit motive"},
    {"theory", "Display theory"},
    {"step by step", "Display step-by-step help"},
    {"thetonaria", "The Tonaria"},
    {"delete all from scheme", "Delete all from scheme"},
    {"default scheme", "Default scheme"},
    {"delete all notes", "Delete all notes"},
    {"play motive", "Play the motive"},
    {"select motive", "Select the motive"},
    {"play period", "Play the period"},
    {"play sentence", "Play the sentence"},
    {"play phrase", "Play the phrase"},
    {"menu file", "&File"},
    {"menu view", "&View"},
    {"menu tools", "&Tools"},
    {"menu demo", "&Demo"},
    {"menu help", "&Help"},
    {"menu new", "&New"},
    {"menu open", "&Open"},
    {"menu open recent", "Open &Recent"},
    {"menu no recent", "No recent compositions"},
    {"menu save", "&Save"},
    {"menu save as", "Save &As..."},
    {"menu export midi", "&Export to MIDI (*.mid)"},
    {"menu export musicxml", "Export to &MusicXML (*.musicxml)"},
    {"menu quit", "&Quit"},
    {"menu editor", "&Editor"},
    {"menu midi devices", "&Midi Devices..."},
    {"menu school harmony", "&School harmony"},
    {"menu theory", "&Theory"},
    {"menu step by step", "&Step-by-step"},
    {"menu about", "&About"},
    {"menu edit", "&Edit"},
    {"menu undo", "&Undo"},
    {"menu redo", "&Redo"},
    {"menu harmonise period", "&Harmonise Period"},
    {"menu compose empty motives", "&Compose Empty Motives"},
    {"composing motives", "Composing the empty motives..."},
    // Asked before unsaved work would be replaced; %1 is the composition's file name.
    {"save changes", "Save changes to %1?"},
    // Asked at start for the copy of unsaved work an ended program left; %1 is the
    // composition's file name, %2 the time the copy was written.
    {"recover question", "Recover the unsaved changes to %1 from %2?"},
    {"recover", "Recover"},
    {"discard", "Discard"},
    {"later", "Later"},
    // %1 is the copy, %2 why it cannot be read, %3 the name it was kept under.
    {"recovery damaged", "The recovery copy %1 cannot be read: %2. It was kept as %3."},
    {"recovery error", "Unable to write the recovery copy %1: %2"},
    // Followed by the paths looked in, one a line.
    {"data missing", "Some of the program's files are missing, so pictures or help pages will "
                     "be blank. Looked for:"},
};

} // namespace

TEngMessageBundle::TEngMessageBundle() {
    addTexts(ENG_TEXTS);
    // Entry i of the key lists names the key with signature i - 7 (seven flats to seven sharps).
    addList("major group",
            {"7 Flats: C-flat major", "6 Flats: G-flat major", "5 Flats: D-flat major",
             "4 Flats: A-flat major", "3 Flats: E-flat major", "2 Flats: B-flat major",
             "1 Flat: F major", "C major", "1 Sharp: G major", "2 Sharps: D major",
             "3 Sharps: A major", "4 Sharps: E major", "5 Sharps: B major",
             "6 Sharps: F-sharp major", "7 Sharps: C-sharp major"});
    addList("minor group",
            {"7 Flats: A-flat minor", "6 Flats: E-flat minor", "5 Flats: B-flat minor",
             "4 Flats: F minor", "3 Flats: C minor", "2 Flats: G minor", "1 Flat: D minor",
             "A minor", "1 Sharp: E minor", "2 Sharps: B minor", "3 Sharps: F-sharp minor",
             "4 Sharps: C-sharp minor", "5 Sharps: G-sharp minor", "6 Sharps: D-sharp minor",
             "7 Sharps: A-sharp minor"});
    addList("temp group",
            {"Wide", "Slowly", "Unhurriedly", "Moderately", "Reservedly", "Animatedly", "Fast"});
    addList("duration group",
            {"Sixteenth", "Eighth", "Pointed eighth", "Quarter", "Quarter and sixteenth",
             "Pointed quarter", "Quarter and pointed eighth", "Half"});
    addList("motive type group", {"Iambus", "Trochee", "Amphibrachys"});
    addList("turn group", {"Repetition", "Leap to the next chord tone", "Leap over one chord tone",
                           "Leap over two chord tones", "Neighbour note", "Passing notes",
                           "Double neighbour", "Appoggiatura", "Escape tone"});
}
