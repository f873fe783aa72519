// The bindings hand a fault back as {error: message}; the module's functions throw it as an
// Error instead, so a caller sees a value or an exception that names the fault.
Module['onRuntimeInitialized'] = function () {
  for (const name of ['number', 'oldNumber', 'numberMany', 'sheet', 'parent', 'children',
                      'coverCount', 'cover', 'sheetId', 'neighbours', 'neighbourhood', 'positionBox', 'degreesFromBoxes',
                      'readPosition', 'readBox', 'angle', 'angleBoxes', 'scales']) {
    const binding = Module[name];
    Module[name] = function (...args) {
      const result = binding(...args);
      if (result !== null && typeof result === 'object' && !Array.isArray(result) &&
          Object.prototype.hasOwnProperty.call(result, 'error')) {
        throw new Error(result.error);
      }
      return result;
    };
  }
};
