#pragma once
// A solution kept beside the model: the model as it was solved (its mesh
// rows shared, not copied) and what the solver found, with what the results
// window and the solve's message say about it.

#include <memory>
#include <string>
#include <vector>

#include "core/model/Model.h"
#include "core/solve/Solver.h"

struct Solution {
  Model model;  // as solved
  SolveResult result;
};

// True while the solution still belongs to `now`: the same mesh, the same
// problem, properties, conditions and assignments, and geometry that has
// not moved away from the mesh.
bool SolutionFits(const Solution& solution, const Model& now);

// What a problem's field, its flux and a flow across a line are called,
// with their units ("T", "°C", "|q|", "W/m²", "Q", "W/m" for heat; empty
// units for a problem without names).
struct FieldNames {
  std::string field, fieldUnit, flux, fluxUnit, flow, flowUnit;
};
FieldNames NamesOfField(int32_t problem);

// A value with `digits` significant digits and the user's decimal point
// ("-0" shown as "0").
std::string SignificantText(double v, int digits, char point);

// One line of the results: what it is, its value with its unit, and where.
struct ResultRow {
  std::string what;
  std::string value;
  std::string where;
};

// The field's extremes and where they are, each used condition's flow (or
// for the disc its load or reaction), the sources, in a project with
// materials each material's area, field and sources, and the balance.
std::vector<ResultRow> ResultRows(const Solution& solution, char decimalPoint = '.');

// A few lines for the message that ends a solve: the mesh, the field's
// range and the balance.
std::string SolvedSummary(const Solution& solution, char decimalPoint = '.');
// The relative error η as the results give it: "1,8 %".
std::string EstimateText(double eta, char decimalPoint = '.');
