// Scripts of window events for driving the editor in tests.
#include "event_script.h"

#include <sstream>
#include <stdexcept>

#include "media/byte_io.h"

std::vector<WindowEvent> ReadEventScript(const std::string& path) {
    Bytes bytes = ReadFileBytes(path);
    std::istringstream lines(std::string(bytes.begin(), bytes.end()));
    std::vector<WindowEvent> events;
    std::string line;
    using Kind = WindowEvent::Kind;
    for (int number = 1; std::getline(lines, line); ++number) {
        std::istringstream words(line);
        std::string word;
        if (!(words >> word) || word[0] == '#') continue;
        auto fail = [&] {
            throw std::runtime_error(path + ", line " + std::to_string(number) +
                                     ": cannot read \"" + line + "\"");
        };
        if (word == "key") {
            std::string name;
            if (!(words >> name)) fail();
            WindowEvent e;
            e.What = Kind::KeyDown;
            for (size_t plus; (plus = name.find('+')) != std::string::npos && plus > 0;) {
                std::string mod = name.substr(0, plus);
                e.Ctrl = e.Ctrl || mod == "ctrl";
                e.Shift = e.Shift || mod == "shift";
                e.Alt = e.Alt || mod == "alt";
                name = name.substr(plus + 1);
            }
            e.Key = name;
            events.push_back(e);
        } else if (word == "text") {
            WindowEvent e;
            e.What = Kind::Text;
            e.Text = line.substr(line.find("text") + 5);
            for (char ch : e.Text) {  // one event a character, as a window gives them
                WindowEvent one = e;
                one.Text = std::string(1, ch);
                events.push_back(one);
            }
        } else if (word == "click" || word == "move" || word == "size") {
            int x = 0, y = 0, button = 1;
            if (!(words >> x >> y)) fail();
            words >> button;
            if (word == "size") {
                events.push_back(WindowEvent::At(Kind::Resize, x, y));
            } else if (word == "move") {
                events.push_back(WindowEvent::At(Kind::MouseMove, x, y));
            } else {
                events.push_back(WindowEvent::At(Kind::MouseMove, x, y));
                events.push_back(WindowEvent::At(Kind::MouseDown, x, y, button));
                events.push_back(WindowEvent::At(Kind::MouseUp, x, y, button));
            }
        } else {
            fail();
        }
    }
    return events;
}
