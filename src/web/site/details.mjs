// The reading's details as the details window words them: the instant, then each reading
// with its sign and nakshatra. The words come from the core; this only lays them out.
// Loaded when the details are first opened.

function element(tag, text, className) {
  const made = document.createElement(tag);
  if (text !== undefined) made.textContent = text;
  if (className) made.className = className;
  return made;
}

/// Caption and text pairs as a description list, each value named as the window names it.
function facts(lines, suffix = '') {
  const list = element('dl');
  for (const line of lines) {
    const value = element('dd', line.text);
    value.id = `${line.name}${suffix}`;
    list.append(element('dt', line.caption), value);
  }
  return list;
}

function note(said) {
  return said ? [element('p', said.words, said.warning ? 'note warning' : 'note')] : [];
}

/// The details window's words: the instant, then each reading with its sign and nakshatra.
export function showDetails(words, container) {
  const parts = [facts(words.instant)];
  words.readings.forEach((reading, i) => {
    const section = element('section');
    const text = element('p', reading.text, 'reading');
    text.id = `txtReading_${i}`;
    text.setAttribute('aria-label', `${reading.accessible}: ${reading.text}`);
    section.append(element('h3', reading.caption), text, facts(reading.sign, `_${i}`), ...note(reading.signNote));
    if (reading.nakshatra) section.append(facts(reading.nakshatra, `_${i}`), ...note(reading.nakshatraNote));
    parts.push(section);
  });
  const footnote = element('p', words.footnote, 'footnote');
  footnote.id = 'lblFootnote';
  parts.push(footnote);
  container.replaceChildren(...parts);
}
