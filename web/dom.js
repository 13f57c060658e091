// The page's elements by id.
export const byId = (id) => document.getElementById(id);
