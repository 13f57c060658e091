// The page's elements by id, and the texts of boxes by id as the module takes them: a box holding
// blanks only is an empty text, a box left blank.
export const byId = (id) => document.getElementById(id);

export const boxTexts = (ids) => Object.fromEntries(ids.map((id) => [id, byId(id).value.trim() === '' ? '' : byId(id).value]));
