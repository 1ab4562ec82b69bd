#!/usr/bin/env node
// Turns the Phosphor icon set (npm package @phosphor-icons/core, MIT) into our
// clip-art catalogue: the fill weight of every icon outside the "brands"
// category, one folder and list file per category, keywords from the icon's
// name, tags and categories.
//
//   node tools/make-clipart-catalogue.mjs PACKAGE_DIR DATASRC_DIR
//
// PACKAGE_DIR is the unpacked package (tools/make-clipart-catalogue.sh fetches
// it); DATASRC_DIR is data/datasrc. The symbols we drew ourselves (the lists
// named in OWN_CATEGORIES) stay as they are, after the generated categories.
// The list files are written the way the program saves them after a keyword
// was added, so such a change shows as one changed line.
import { createRequire } from "node:module";
import fs from "node:fs";
import path from "node:path";

const OWN_CATEGORIES = ["Geometric", "Nature", "Business", "Abstract"];
const LICENCE_NAME = "Phosphor-LICENSE.txt";

const [packageDir, datasrcDir] = process.argv.slice(2);
if (!packageDir || !datasrcDir) {
  console.error("usage: make-clipart-catalogue.mjs PACKAGE_DIR DATASRC_DIR");
  process.exit(2);
}
const require = createRequire(import.meta.url);
const { icons } = require(path.resolve(packageDir, "dist/index.umd.js"));
const version = JSON.parse(fs.readFileSync(path.join(packageDir, "package.json"), "utf8")).version;

const escapeText = (text) => text.replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/>/g, "&gt;");
const escapeAttribute = (text) => escapeText(text).replace(/"/g, "&quot;");
const titleCase = (text) => text.replace(/(^|[\s-])([a-z])/g, (_, before, letter) => before + letter.toUpperCase());

// Other companies' trademarks have no place in a user's logo.
const isBrand = (icon) =>
  icon.figma_category === "brands" || (icon.categories.includes("brands") && icon.name.endsWith("-logo"));

function keywordsOf(icon) {
  const words = [...icon.name.split("-"), ...icon.tags.filter((tag) => !tag.startsWith("*")), ...icon.categories];
  const seen = new Set();
  const keywords = [];
  for (const word of words) {
    // Keywords are separated by commas without blanks.
    const keyword = word.toLowerCase().replace(/,/g, " ").replace(/\s+/g, " ").trim();
    if (keyword && !seen.has(keyword)) {
      seen.add(keyword);
      keywords.push(keyword);
    }
  }
  return keywords;
}

const clipArts = path.join(datasrcDir, "ClipArts");
const categories = new Map();
for (const icon of icons) {
  if (isBrand(icon)) continue;
  const category = titleCase(icon.figma_category);
  if (OWN_CATEGORIES.includes(category)) throw new Error(`category ${category} would mix with our own symbols`);
  if (!categories.has(category)) categories.set(category, []);
  categories.get(category).push(icon);
}

// A folder from an earlier run that is no longer generated goes away with its files.
const generated = new Set(categories.keys());
for (const entry of fs.readdirSync(clipArts, { withFileTypes: true })) {
  if (entry.isDirectory() && !OWN_CATEGORIES.includes(entry.name) && !generated.has(entry.name))
    fs.rmSync(path.join(clipArts, entry.name), { recursive: true });
}

// A few symbols are stored under another file name; their identifier and keywords stay.
const fileNames = { perspective: "vanishing-point" };

let symbolCount = 0;
const names = [...categories.keys()].sort();
for (const category of names) {
  const folder = path.join(clipArts, category);
  fs.rmSync(folder, { recursive: true, force: true });
  fs.mkdirSync(folder, { recursive: true });
  const list = ['<?xml version="1.0" encoding="UTF-8"?>', "<Symbols>"];
  for (const icon of categories.get(category).sort((a, b) => a.name.localeCompare(b.name))) {
    const svg = fs.readFileSync(path.join(packageDir, "assets/fill", `${icon.name}-fill.svg`), "utf8");
    // Our renderer recolours a symbol by replacing its black ink.
    const inked = svg.replace('fill="currentColor"', 'fill="#000000"').trim() + "\n";
    if (!inked.includes('fill="#000000"')) throw new Error(`${icon.name}: no ink to recolour`);
    const file = `${fileNames[icon.name] ?? icon.name}.svg`;
    fs.writeFileSync(path.join(folder, file), inked);
    list.push("  <Symbol>",
              `    <Id>${escapeText(icon.name)}</Id>`,
              `    <Keywords>${escapeText(keywordsOf(icon).join(","))}</Keywords>`,
              `    <File>${escapeText(file)}</File>`,
              "  </Symbol>");
    ++symbolCount;
  }
  list.push("</Symbols>", "");
  fs.writeFileSync(path.join(folder, `${category}.xml`), list.join("\n"));
}

const catalogue = ['<?xml version="1.0" encoding="UTF-8"?>', "<Catalogue>"];
for (const category of [...names, ...OWN_CATEGORIES]) {
  catalogue.push(`  <Category name="${escapeAttribute(category)}">`,
                 `    <List>${escapeText(category)}.xml</List>`,
                 "  </Category>");
}
catalogue.push("</Catalogue>", "");
fs.writeFileSync(path.join(datasrcDir, "VM_Logos.xml"), catalogue.join("\n"));
fs.copyFileSync(path.join(packageDir, "LICENSE"), path.join(clipArts, LICENCE_NAME));
console.log(`Phosphor ${version}: ${symbolCount} symbols in ${names.length} categories, plus ${OWN_CATEGORIES.length} of our own`);
