#include "host/vqsim/route_map.h"

#include <algorithm>
#include <cmath>

#include "cli/numbers.h"

namespace vqsim {

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double MapWidth = 1000.0, Margin = 60.0;
constexpr double MinHeight = 420.0, MaxHeight = 900.0;
constexpr double TitleSpace = 30.0, LegendSpace = 70.0;

std::string Escaped(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default:
                if (c < 32) {
                    out += ' ';
                } else if (c < 128) {
                    out += static_cast<char>(c);
                } else {
                    // Report texts are 8-bit; show them as their Latin-1 characters.
                    out += static_cast<char>(0xC0 | (c >> 6));
                    out += static_cast<char>(0x80 | (c & 0x3F));
                }
        }
    }
    return out;
}

std::string Number(double value) { return cli::FixedText(value, 1); }

// Plane coordinates: longitude shrunk by the cosine of the middle latitude,
// all longitudes taken near the first one (a route may cross 180 degrees).
class Projection {
public:
    // Fits the points into the map's width, and the map's height to them.
    explicit Projection(const std::vector<GeoPoint>& points) {
        Reference = points.empty() ? 0.0 : points.front().LongitudeDegrees;
        double minLat = 90, maxLat = -90, minLon = 1e9, maxLon = -1e9;
        for (const GeoPoint& p : points) {
            minLat = std::min(minLat, p.LatitudeDegrees);
            maxLat = std::max(maxLat, p.LatitudeDegrees);
            minLon = std::min(minLon, Unwrapped(p.LongitudeDegrees));
            maxLon = std::max(maxLon, Unwrapped(p.LongitudeDegrees));
        }
        if (points.empty()) minLat = maxLat = minLon = maxLon = 0.0;
        Shrink = std::max(0.05, std::cos((minLat + maxLat) / 2.0 * Pi / 180.0));
        const double spanX = std::max((maxLon - minLon) * Shrink, 1e-3);
        const double spanY = std::max(maxLat - minLat, 1e-3);
        const double frame = 2 * Margin + TitleSpace + LegendSpace;
        Scale = (MapWidth - 2 * Margin) / spanX;
        Height = std::clamp(spanY * Scale + frame, MinHeight, MaxHeight);
        Scale = std::min(Scale, (Height - frame) / spanY);
        OffsetX = (MapWidth - spanX * Scale) / 2.0 - minLon * Shrink * Scale;
        OffsetY = Margin + TitleSpace + (Height - frame - spanY * Scale) / 2.0 + maxLat * Scale;
    }
    double MapHeight() const { return Height; }
    double X(const GeoPoint& p) const { return OffsetX + Unwrapped(p.LongitudeDegrees) * Shrink * Scale; }
    double Y(const GeoPoint& p) const { return OffsetY - p.LatitudeDegrees * Scale; }
    double PixelsPerNm() const { return Scale / 60.0; }

private:
    double Unwrapped(double longitude) const {
        double d = longitude - Reference;
        while (d > 180.0) d -= 360.0;
        while (d < -180.0) d += 360.0;
        return Reference + d;
    }
    double Reference = 0.0, Shrink = 1.0, Scale = 1.0, OffsetX = 0.0, OffsetY = 0.0, Height = MinHeight;
};

std::string Polyline(const std::vector<GeoPoint>& points, const Projection& map, const std::string& style) {
    std::string svg = "<polyline fill=\"none\" " + style + " points=\"";
    for (const GeoPoint& p : points) svg += Number(map.X(p)) + "," + Number(map.Y(p)) + " ";
    return svg + "\"/>\n";
}

}  // namespace

std::string RouteMapSvg(const std::vector<TChkPoint>& checkpoints, const RoutePath& path,
                        const std::vector<GeoPoint>& track, const std::vector<ArrivalMark>& arrivals,
                        const std::string& title) {
    std::vector<GeoPoint> all = path.Vertices();
    all.insert(all.end(), track.begin(), track.end());
    const Projection map(all);
    const double MapHeight = map.MapHeight();
    std::string svg;
    svg += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Number(MapWidth) + "\" height=\"" + Number(MapHeight) +
           "\" viewBox=\"0 0 " + Number(MapWidth) + " " + Number(MapHeight) + "\" font-family=\"Liberation Sans, sans-serif\">\n";
    svg += "<rect width=\"100%\" height=\"100%\" fill=\"#f4f1e8\"/>\n";
    svg += "<text x=\"20\" y=\"30\" font-size=\"18\" font-weight=\"bold\">" + Escaped(title) + "</text>\n";

    // The planned route through the checkpoints with a position, and the flown track.
    svg += Polyline(path.Vertices(), map, "stroke=\"#9a9a9a\" stroke-width=\"2\" stroke-dasharray=\"8,5\"");
    if (track.size() > 1) svg += Polyline(track, map, "stroke=\"#1f5fbf\" stroke-width=\"2.5\"");

    for (int k = 0; k < path.CheckpointCount() && k < static_cast<int>(checkpoints.size()); ++k) {
        const TChkPoint& c = checkpoints[k];
        const std::string ident = ShownIdent(c);
        const std::string name = std::to_string(k + 1) + " " + (ident.empty() ? std::string(c.Name) : ident);
        if (path.HasPosition(k)) {
            const GeoPoint p{c.Latitude, c.Longitude};
            const double x = map.X(p), y = map.Y(p);
            svg += "<circle cx=\"" + Number(x) + "\" cy=\"" + Number(y) + "\" r=\"5\" fill=\"#222\"/>\n";
            svg += "<text x=\"" + Number(x + 8) + "\" y=\"" + Number(y - 8) + "\" font-size=\"13\">" + Escaped(name) + "</text>\n";
        } else {
            // Placed where the pilot marks it: between its neighbours, by leg distance.
            const GeoPoint p = path.PointAt(path.PassDistanceNm(k));
            const double x = map.X(p), y = map.Y(p);
            svg += "<rect x=\"" + Number(x - 5) + "\" y=\"" + Number(y - 5) +
                   "\" width=\"10\" height=\"10\" fill=\"none\" stroke=\"#555\" stroke-width=\"1.5\"/>\n";
            svg += "<text x=\"" + Number(x + 8) + "\" y=\"" + Number(y + 20) + "\" font-size=\"13\" fill=\"#555\" font-style=\"italic\">(" +
                   Escaped(name) + ")</text>\n";
        }
    }
    for (const ArrivalMark& mark : arrivals) {
        const double x = map.X(mark.Where), y = map.Y(mark.Where);
        const std::string colour = mark.ByHand ? "#b36b00" : "#c0392b";
        svg += "<path d=\"M" + Number(x - 5) + "," + Number(y - 5) + " L" + Number(x + 5) + "," + Number(y + 5) + " M" +
               Number(x - 5) + "," + Number(y + 5) + " L" + Number(x + 5) + "," + Number(y - 5) + "\" stroke=\"" + colour +
               "\" stroke-width=\"2.5\"/>\n";
        svg += "<text x=\"" + Number(x + 8) + "\" y=\"" + Number(y + (mark.ByHand ? 35 : 18)) + "\" font-size=\"12\" fill=\"" + colour + "\">" +
               Escaped(mark.Label) + "</text>\n";
    }

    // Legend and a scale bar of a round number of miles.
    const double nmOptions[] = {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000};
    double barNm = nmOptions[0];
    for (double nm : nmOptions) {
        if (nm * map.PixelsPerNm() <= 160.0) barNm = nm;
    }
    const double barPx = barNm * map.PixelsPerNm();
    const double ly = MapHeight - 25;
    svg += "<line x1=\"20\" y1=\"" + Number(ly) + "\" x2=\"" + Number(20 + barPx) + "\" y2=\"" + Number(ly) +
           "\" stroke=\"#222\" stroke-width=\"3\"/>\n";
    svg += "<text x=\"20\" y=\"" + Number(ly - 8) + "\" font-size=\"12\">" + std::to_string(static_cast<int>(barNm)) +
           " NM</text>\n";
    const double lx = MapWidth - 330;
    svg += "<g font-size=\"12\">\n";
    svg += "<line x1=\"" + Number(lx) + "\" y1=\"" + Number(ly - 45) + "\" x2=\"" + Number(lx + 30) + "\" y2=\"" + Number(ly - 45) +
           "\" stroke=\"#9a9a9a\" stroke-width=\"2\" stroke-dasharray=\"8,5\"/><text x=\"" + Number(lx + 38) + "\" y=\"" +
           Number(ly - 41) + "\">route through the checkpoints with a position</text>\n";
    svg += "<line x1=\"" + Number(lx) + "\" y1=\"" + Number(ly - 25) + "\" x2=\"" + Number(lx + 30) + "\" y2=\"" + Number(ly - 25) +
           "\" stroke=\"#1f5fbf\" stroke-width=\"2.5\"/><text x=\"" + Number(lx + 38) + "\" y=\"" + Number(ly - 21) +
           "\">track flown</text>\n";
    svg += "<text x=\"" + Number(lx) + "\" y=\"" + Number(ly - 1) +
           "\"><tspan fill=\"#c0392b\">X arrival seen by the gauge</tspan>  <tspan fill=\"#b36b00\">X marked by hand</tspan></text>\n";
    svg += "</g>\n</svg>\n";
    return svg;
}

}  // namespace vqsim
