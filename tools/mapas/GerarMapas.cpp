// gerar_mapas: draws the maps of the rainfall consultation window from the
// state boundaries (GeoJSON, WGS 84 longitude/latitude, one feature per state
// with the property "uf").
//
//   gerar_mapas ESTADOS.geojson PASTA_PROGRAMA PASTA_COMUNS
//
// PASTA_PROGRAMA receives the country map "Brasil.bmp": every state in the
// colour that picks it (rainfall/Mapas.h), black borders, white sea.
// PASTA_COMUNS receives the state maps "AC.bmp" … "TO.bmp" of all 27 states, 450 × 450, the
// state pure blue over its neighbours in grey, drawn with the box and pixel
// rectangle of rainfall/Mapas.h.
//
// Nothing is smoothed inside the maps: a pixel belongs to a polygon when its
// centre does, so every pixel of a state reads exactly the state's colour.
// Pixel x of a state map is the point whose coordinates the map formulas give
// for x, so the polygons are drawn half a pixel right and down (the centre
// of pixel x lies at x + 0.5 in drawing coordinates).

#include "rainfall/Estados.h"
#include "rainfall/Mapas.h"

#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPolygonF>
#include <QRectF>

#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

using namespace vastrel;

namespace {

// The parts of one state, each an outer ring of (longitude, latitude) in
// degrees, east and north positive.
using Partes = std::vector<QPolygonF>;

QPolygonF Anel(const QJsonArray& pontos)
{
    QPolygonF anel;
    for (const QJsonValue& p : pontos) {
        const QJsonArray xy = p.toArray();
        anel << QPointF(xy.at(0).toDouble(), xy.at(1).toDouble());
    }
    return anel;
}

// Outer rings only: the boundaries of the states have no holes.
std::map<std::string, Partes> LerEstados(const QString& arquivo)
{
    QFile f(arquivo);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("Não foi possível ler o arquivo " + arquivo.toStdString() + ".");
    QJsonParseError erro;
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &erro);
    if (doc.isNull())
        throw std::runtime_error(arquivo.toStdString() + ": " + erro.errorString().toStdString());
    std::map<std::string, Partes> estados;
    for (const QJsonValue& v : doc.object().value(QStringLiteral("features")).toArray()) {
        const QJsonObject feicao = v.toObject();
        const std::string uf = feicao.value(QStringLiteral("properties")).toObject().value(QStringLiteral("uf")).toString().toStdString();
        const QJsonObject geometria = feicao.value(QStringLiteral("geometry")).toObject();
        const QString tipo = geometria.value(QStringLiteral("type")).toString();
        const QJsonArray coordenadas = geometria.value(QStringLiteral("coordinates")).toArray();
        Partes& partes = estados[uf];
        if (tipo == QStringLiteral("Polygon"))
            partes.push_back(Anel(coordenadas.at(0).toArray()));
        else if (tipo == QStringLiteral("MultiPolygon"))
            for (const QJsonValue& poligono : coordenadas)
                partes.push_back(Anel(poligono.toArray().at(0).toArray()));
    }
    for (const TDadosEstado& e : kEstados)
        if (estados[e.UF].empty())
            throw std::runtime_error(arquivo.toStdString() + ": falta o estado " + e.UF + ".");
    return estados;
}

double Area(const QRectF& r) { return r.width() * r.height(); }

// The parts whose box meets `caixa`: oceanic islands far from the state fall
// outside it.
Partes PartesNaCaixa(const Partes& partes, const QRectF& caixa)
{
    Partes r;
    for (const QPolygonF& p : partes)
        if (p.boundingRect().intersects(caixa))
            r.push_back(p);
    return r;
}

// The parts within one degree of the box of the largest one.
Partes PartesContinentais(const Partes& partes)
{
    QRectF maior;
    for (const QPolygonF& p : partes)
        if (Area(p.boundingRect()) > Area(maior))
            maior = p.boundingRect();
    return PartesNaCaixa(partes, maior.adjusted(-1, -1, 1, 1));
}

// The box of a state map in longitude/latitude, east and north positive.
QRectF CaixaGeografica(const TMapaEstado& m)
{
    return QRectF(QPointF(-m.LonMax, -m.LatMax), QPointF(-m.LonMin, -m.LatMin));
}

QPolygonF Projetar(const QPolygonF& anel, const std::function<QPointF(QPointF)>& projecao)
{
    QPolygonF r;
    r.reserve(anel.size());
    for (const QPointF& p : anel)
        r << projecao(p);
    return r;
}

// Area-weighted centre of a ring (shoelace formula), in its own coordinates.
QPointF Centroide(const QPolygonF& anel)
{
    double a = 0, cx = 0, cy = 0;
    for (qsizetype i = 0; i + 1 < anel.size(); ++i) {
        const QPointF& p = anel[i];
        const QPointF& q = anel[i + 1];
        const double cruz = p.x() * q.y() - q.x() * p.y();
        a += cruz;
        cx += (p.x() + q.x()) * cruz;
        cy += (p.y() + q.y()) * cruz;
    }
    if (a == 0)
        return anel.boundingRect().center();
    return {cx / (3 * a), cy / (3 * a)};
}

QImage NovoMapa()
{
    QImage img(kLadoMapa, kLadoMapa, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

void Salvar(const QImage& img, const QString& arquivo, const char* formato, int qualidade = -1)
{
    if (!img.save(arquivo, formato, qualidade))
        throw std::runtime_error("Não foi possível gravar o arquivo " + arquivo.toStdString() + ".");
}

QColor CorDoMapa(int estado)
{
    for (const TCorMapa& c : kCoresBrasil)
        if (c.Estado == estado)
            return QColor(c.R, c.G, c.B);
    for (const TCorMapa& c : kCoresNeutras)
        if (c.Estado == estado)
            return QColor(c.R, c.G, c.B);
    throw std::runtime_error(std::string("Estado sem cor no mapa do Brasil: ") + kEstados[static_cast<std::size_t>(estado)].Nome);
}

// The country map: an equal-degree (plate carrée) projection of the
// mainland states fitted into the picture with a margin.
void MapaBrasil(const std::map<std::string, Partes>& estados, const QString& arquivo)
{
    std::map<std::string, Partes> continentais;
    QRectF caixa;
    for (const auto& [uf, partes] : estados) {
        continentais[uf] = PartesContinentais(partes);
        for (const QPolygonF& p : continentais[uf])
            caixa = caixa.isNull() ? p.boundingRect() : caixa.united(p.boundingRect());
    }
    const double margem = 8;
    const double escala = (kLadoMapa - 2 * margem) / std::max(caixa.width(), caixa.height()); // pixels per degree
    const double ox = (kLadoMapa - escala * caixa.width()) / 2;
    const double oy = (kLadoMapa - escala * caixa.height()) / 2;
    const auto projecao = [&](QPointF p) {
        return QPointF(ox + (p.x() - caixa.left()) * escala, oy + (caixa.bottom() - p.y()) * escala);
    };

    QImage img = NovoMapa();
    QPainter pintor(&img);
    pintor.setRenderHint(QPainter::Antialiasing, false);
    pintor.setRenderHint(QPainter::TextAntialiasing, false);
    pintor.setPen(QPen(Qt::black, 0));
    for (int i = 0; i < kNumEstados; ++i) {
        pintor.setBrush(CorDoMapa(i));
        for (const QPolygonF& p : continentais.at(kEstados[static_cast<std::size_t>(i)].UF))
            pintor.drawPolygon(Projetar(p, projecao));
    }
    // Abbreviations of the states large enough to hold them, in black
    // without smoothing, at the centre of the state's largest part.
    QFont fonte(QStringLiteral("DejaVu Sans"), 7);
    fonte.setPixelSize(10);
    fonte.setStyleStrategy(QFont::NoAntialias);
    pintor.setFont(fonte);
    for (const TDadosEstado& e : kEstados) {
        const Partes& partes = continentais.at(e.UF);
        const QPolygonF* maior = &partes.front();
        for (const QPolygonF& p : partes)
            if (Area(p.boundingRect()) > Area(maior->boundingRect()))
                maior = &p;
        const QRectF r = Projetar(*maior, projecao).boundingRect();
        if (r.width() < 28 || r.height() < 22)
            continue;
        const QPointF c = projecao(Centroide(*maior));
        pintor.drawText(QRectF(c.x() - 12, c.y() - 6, 24, 12), Qt::AlignCenter, QString::fromLatin1(e.UF));
    }
    pintor.end();
    Salvar(img, arquivo, "BMP");
}

// A state map: the neighbours in grey, the state in pure blue on top.
void MapaEstado(const std::map<std::string, Partes>& estados, const TMapaEstado& m, const QString& arquivo)
{
    // Longitude and latitude (east and north positive) to drawing
    // coordinates, with the half-pixel shift to pixel centres.
    const auto projecao = [&m](QPointF p) {
        const TPontoMapa px = PixelDaCoordenada(m, -p.y(), -p.x());
        return QPointF(px.X + 0.5, px.Y + 0.5);
    };
    const std::string uf = kEstados[static_cast<std::size_t>(m.Estado)].UF;
    QImage img = NovoMapa();
    QPainter pintor(&img);
    pintor.setRenderHint(QPainter::Antialiasing, false);
    pintor.setPen(QPen(QColor(150, 150, 150), 0));
    pintor.setBrush(QColor(225, 225, 225));
    for (const auto& [outra, partes] : estados)
        if (outra != uf)
            for (const QPolygonF& p : PartesContinentais(partes))
                pintor.drawPolygon(Projetar(p, projecao));
    pintor.setPen(Qt::NoPen);
    pintor.setBrush(QColor(kAzulR, kAzulG, kAzulB));
    for (const QPolygonF& p : PartesNaCaixa(estados.at(uf), CaixaGeografica(m)))
        pintor.drawPolygon(Projetar(p, projecao));
    pintor.end();
    Salvar(img, arquivo, "BMP");
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "uso: gerar_mapas ESTADOS.geojson PASTA_PROGRAMA PASTA_COMUNS\n");
        return 64;
    }
    try {
        const auto estados = LerEstados(QString::fromLocal8Bit(argv[1]));
        const QString programa = QString::fromLocal8Bit(argv[2]);
        const QString comuns = QString::fromLocal8Bit(argv[3]);
        MapaBrasil(estados, programa + QStringLiteral("/Brasil.bmp"));
        for (const TMapaEstado& m : kMapasEstados)
            MapaEstado(estados, m,
                       comuns + QLatin1Char('/') + QString::fromLatin1(kEstados[static_cast<std::size_t>(m.Estado)].UF) +
                           QStringLiteral(".bmp"));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gerar_mapas: %s\n", e.what());
        return 1;
    }
    return 0;
}
