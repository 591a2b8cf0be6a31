// Pieces of quendal's report, written out as the program must print them, for composing the
// expected output of a test case.
#pragma once

#include <string>

namespace report {

inline std::string file_line(const std::string& path) { return "file:        " + path + "\n"; }

// "RIFF" header lines for a header whose identifier and form type are shown as given.
inline std::string main_lines(const std::string& tag, const std::string& length,
                              const std::string& form) {
  return "Kennung:     " + tag + "\nLaenge:      " + length + "\nTyp:         " + form + "\n";
}

// The six lines after "Sub-Kennung:" for the default format chunk of the fixture builder.
inline std::string default_format_fields() {
  return "Sub-Laenge:  16\n"
         "Format:      0001\n"
         "Kanaele:     0001\n"
         "Sample-Freq: 8000\n"
         "Bytes/Sample:2\n"
         "Bits/Sample: 16\n";
}

// The seven lines of the default format chunk of the fixture builder.
inline std::string default_format_lines() {
  return "Sub-Kennung: 20746d66 fmt \n" + default_format_fields();
}

// A progress line and the empty line after it; position as "decimal 0xHEX".
inline std::string after(const std::string& step, const std::string& position) {
  return "after " + step + " read pos=" + position + "\n\n";
}

inline std::string frame_lines(const std::string& count, const std::string& tag,
                               const std::string& length) {
  return "frame count=" + count + "\nKennung: " + tag + "\nLaenge:  " + length + "\n";
}

inline std::string closing(const std::string& position, const std::string& code) {
  return "last read pos=" + position + "\nreturn code=" + code + "\n";
}

// The report of riff::worked_example() in a file called x.wav, line by line.
inline std::string worked_example_report() {
  return "file:        x.wav\n"
         "Kennung:     46464952 RIFF\n"
         "Laenge:      136\n"
         "Typ:         45564157 WAVE\n"
         "after main chunk read pos=12 0xC\n"
         "\n"
         "Sub-Kennung: 20746d66 fmt \n"
         "Sub-Laenge:  16\n"
         "Format:      0001\n"
         "Kanaele:     0001\n"
         "Sample-Freq: 8000\n"
         "Bytes/Sample:2\n"
         "Bits/Sample: 16\n"
         "after format chunk read pos=36 0x24\n"
         "\n"
         "frame count=1\n"
         "Kennung: 61746164 data\n"
         "Laenge:  100\n"
         "after frame=1 read pos=144 0x90\n"
         "\n"
         "last read pos=144\n"
         "return code=1\n";
}

// Everything up to the first frame for a RIFF/WAVE header of the given length and the default
// format chunk, in a file called path.
inline std::string standard_head(const std::string& path, const std::string& riff_length) {
  return file_line(path) + main_lines("46464952 RIFF", riff_length, "45564157 WAVE") +
         after("main chunk", "12 0xC") + default_format_lines() + after("format chunk", "36 0x24");
}

}  // namespace report
