#pragma once

#include "web/Control.h"

#include <string>
#include <vector>

namespace zorv::records {

/// Where a designer put a part of a record screen, in design pixels.
struct DesignPosition {
    int left = 0;
    int top = 0;
};

/// Fields whose tops differ by at most this many pixels form one row.
inline constexpr int kRowTolerance = 8;

/// The positions grouped into rows: rows ordered by their top, the
/// positions of a row (indexes into positions) by left, then top. A row
/// starts at the highest position not yet placed and takes every position
/// whose top lies within kRowTolerance of it.
std::vector<std::vector<size_t>> designRows(const std::vector<DesignPosition>& positions);

/// Font of a label or data control as the layout rows give it; each part is
/// applied only when set.
struct DesignFont {
    std::string name; ///< a font family; characters other than letters, digits, blank and '-' drop it
    bool bold = false;
    int sizePt = 0; ///< 0: the default size
};

/// The CSS declarations of font (empty when it sets nothing). Safe to put in
/// a style attribute: a font name is kept only when made of plain characters.
std::string fontStyle(const DesignFont& font);

/// The controls of one record screen, rendered as a responsive form: the
/// designer's rows become grid rows, the parts of a row become columns in
/// the order of their left edge, and on a narrow screen the columns stack in
/// that same order. The controls are children of the form; a part groups a
/// label with its data control so that they stay together.
class RecordForm : public web::Container {
public:
    explicit RecordForm(std::string id);

    /// Adds a part at position: controls (children of this form, in the
    /// order they are shown) and the font of each (same length, or empty).
    void place(DesignPosition position, std::vector<web::Control*> controls, std::vector<DesignFont> fonts = {});
    /// Forgets the parts and controls created after the first count parts
    /// (a layout that failed half way).
    size_t partCount() const { return parts_.size(); }
    void truncate(size_t count);

    void render(web::HtmlWriter& w) const override;

private:
    struct Part {
        DesignPosition position;
        std::vector<web::Control*> controls;
        std::vector<std::string> styles;
    };
    void renderPart(web::HtmlWriter& w, const Part& part) const;

    std::vector<Part> parts_;
};

} // namespace zorv::records
