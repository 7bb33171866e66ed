#include "gui/Font.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "gui/TextLayout.h"

namespace vexmolda {

namespace {

GlfFont font;
bool loaded = false;

std::vector<std::uint8_t> readWholeFile(const char* name, bool& opened) {
    std::vector<std::uint8_t> bytes;
    std::FILE* file = std::fopen(name, "rb");
    opened = file != nullptr;
    if (!file) return bytes;
    std::uint8_t buffer[65536];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.insert(bytes.end(), buffer, buffer + count);
    std::fclose(file);
    return bytes;
}

// Hollow boxes, a little inside their cells so that neighbours stay apart.
void drawPlaceholders(const std::vector<GlyphQuad>& quads) {
    const GLboolean texturing = glIsEnabled(GL_TEXTURE_2D);
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_LINES);
    for (const GlyphQuad& quad : quads) {
        if (!quad.placeholder) continue;
        const float inset = (quad.x1 - quad.x0) * 0.15f;
        const float left = quad.x0 + inset, right = quad.x1 - inset;
        const float top = quad.y0 + (quad.y1 - quad.y0) * 0.2f, bottom = quad.y1 - (quad.y1 - quad.y0) * 0.1f;
        const float corners[5][2] = {{left, top}, {left, bottom}, {right, bottom}, {right, top}, {left, top}};
        for (int side = 0; side < 4; ++side) {
            glVertex3f(corners[side][0], corners[side][1], 0);
            glVertex3f(corners[side + 1][0], corners[side + 1][1], 0);
        }
    }
    glEnd();
    if (texturing) glEnable(GL_TEXTURE_2D);
}

// Sends the quads as one batch against the font texture.
void emitQuads(const std::vector<GlyphQuad>& quads) {
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(font.textureName));
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glBegin(GL_QUADS);
    bool placeholders = false;
    for (const GlyphQuad& quad : quads) {
        if (quad.placeholder) {
            placeholders = true;
            continue;
        }
        glTexCoord2f(quad.tx1, quad.ty1);
        glVertex3f(quad.x0, quad.y0, 0);
        glTexCoord2f(quad.tx1, quad.ty2);
        glVertex3f(quad.x0, quad.y1, 0);
        glTexCoord2f(quad.tx2, quad.ty2);
        glVertex3f(quad.x1, quad.y1, 0);
        glTexCoord2f(quad.tx2, quad.ty1);
        glVertex3f(quad.x1, quad.y0, 0);
    }
    glEnd();
    // Untextured fills that follow must not sample the font.
    glBindTexture(GL_TEXTURE_2D, 0);
    if (placeholders) drawPlaceholders(quads);
}

}  // namespace

std::optional<GlfFile> readFontFile(const std::filesystem::path& file, std::string& problem,
                                    const std::vector<std::filesystem::path>& searched) {
    bool opened = false;
    const std::vector<std::uint8_t> bytes = readWholeFile(file.c_str(), opened);
    const std::string where = std::filesystem::absolute(file).parent_path().string();
    if (!opened) {
        std::string places;
        for (const std::filesystem::path& directory : searched) {
            places += (places.empty() ? "\"" : " or \"") + directory.string() + "\"";
        }
        if (places.empty()) places = "\"" + where + "\"";
        problem = "Font file \"" + file.filename().string() + "\" not found in " + places + ": the window shows no text\n";
        return std::nullopt;
    }
    std::optional<GlfFile> parsed = parseGlf(bytes);
    if (!parsed) {
        problem = "Font file \"" + file.filename().string() + "\" in \"" + where +
                  "\" is not a usable font: the window shows no text\n";
    }
    return parsed;
}

std::string loadFont(const std::string& path, const std::vector<std::filesystem::path>& searched) {
    std::string problem;
    std::optional<GlfFile> file = readFontFile(path, problem, searched);
    if (!file) return problem;
    if (loaded && font.textureName != 0) {
        const auto name = static_cast<GLuint>(font.textureName);
        glDeleteTextures(1, &name);
    }
    font = GlfFont{};
    loaded = false;
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE_ALPHA, file->font.width, file->font.height, 0, GL_LUMINANCE_ALPHA,
                 GL_UNSIGNED_BYTE, file->texels.data());
    // No mipmaps: a mipmapping minification filter would leave the text invisible.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glBindTexture(GL_TEXTURE_2D, 0);
    font = std::move(file->font);
    font.textureName = static_cast<std::int32_t>(name);
    loaded = true;
    return {};
}

bool fontLoaded() { return loaded; }

const GlfFont& currentFont() { return font; }

void useFontMetrics(GlfFont metrics) {
    font = std::move(metrics);
    font.textureName = 0;
    loaded = !font.glyphs.empty() && font.glyphs[0].dy > 0;
}

float textWidth(std::string text, float size) {
    if (!loaded) return -1;
    return measureText(font, text, size);
}

float drawText(std::string text, float x, float y, float size, bool alignRight) {
    if (!loaded) return -1;
    std::vector<GlyphQuad> quads;
    const float width = layoutText(font, text, x, y, size, alignRight, quads);
    emitQuads(quads);
    return width;
}

void drawTextWrapped(std::string text, float x, float y, float wrapWidth, float maxHeight, float size) {
    if (!loaded) return;
    wrapText(font, text, wrapWidth, size);
    std::vector<GlyphQuad> quads;
    layoutWrapped(font, text, x, y, maxHeight, size, quads);
    emitQuads(quads);
}

void drawTextInColumn(std::string text, float x, float y, float width, float maxHeight, float size) {
    if (!loaded) return;
    std::vector<GlyphQuad> quads;
    layoutColumn(font, std::move(text), x, y, width, maxHeight, size, quads);
    emitQuads(quads);
}

std::size_t columnRows(std::string text, float x, float width, float size) {
    if (!loaded || text.empty()) return 0;
    wrapColumn(font, text, x, width, size);
    std::size_t rows = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    if (text.back() != '\n') ++rows;
    return rows;
}

}  // namespace vexmolda
